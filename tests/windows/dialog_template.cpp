#include "tests/windows/dialog_template.h"

namespace {

constexpr uint32_t kDsSetFont = 0x40;

// Reads little-endian words from a template, remembering whether any read
// ran past its end.
class WordReader {
public:
    explicit WordReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    bool failed() const { return failed_; }

    uint16_t Word() {
        if (position_ + 2 > bytes_.size()) {
            failed_ = true;
            return 0;
        }
        const uint16_t value =
            static_cast<uint16_t>(bytes_[position_] | bytes_[position_ + 1] << 8);
        position_ += 2;
        return value;
    }

    uint32_t Dword() {
        const uint32_t low = Word();
        return low | static_cast<uint32_t>(Word()) << 16;
    }

    int16_t Short() { return static_cast<int16_t>(Word()); }

    std::string String() {
        std::string text;
        for (uint16_t unit = Word(); unit != 0 && !failed_; unit = Word()) {
            text.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
        }
        return text;
    }

    DialogField Field() {
        DialogField field;
        const std::size_t start = position_;
        const uint16_t first = Word();
        if (first == 0xFFFF) {
            field.ordinal = Word();
        } else if (first != 0) {
            position_ = start;
            field.text = String();
        }
        return field;
    }

    // Items start on 4-byte boundaries of the resource.
    void AlignToDword() { position_ = (position_ + 3) & ~std::size_t{3}; }

    void Skip(std::size_t count) {
        if (position_ + count > bytes_.size()) failed_ = true;
        position_ += count;
    }

private:
    const std::vector<uint8_t>& bytes_;
    std::size_t position_ = 0;
    bool failed_ = false;
};

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplate(const std::vector<uint8_t>& bytes) {
    WordReader in(bytes);
    DialogTemplate dialog;
    dialog.style = in.Dword();
    in.Dword();  // extended style
    const uint16_t itemCount = in.Word();
    dialog.x = in.Short();
    dialog.y = in.Short();
    dialog.cx = in.Short();
    dialog.cy = in.Short();
    in.Field();  // menu
    in.Field();  // window class
    dialog.caption = in.String();
    if (dialog.style & kDsSetFont) {
        dialog.pointSize = in.Word();
        dialog.typeface = in.String();
    }
    for (uint16_t i = 0; i < itemCount && !in.failed(); ++i) {
        in.AlignToDword();
        DialogItem item;
        item.style = in.Dword();
        in.Dword();  // extended style
        item.x = in.Short();
        item.y = in.Short();
        item.cx = in.Short();
        item.cy = in.Short();
        item.id = in.Short();
        item.windowClass = in.Field();
        item.text = in.Field();
        in.Skip(in.Word());  // creation data
        dialog.items.push_back(item);
    }
    if (in.failed()) return std::nullopt;
    return dialog;
}
