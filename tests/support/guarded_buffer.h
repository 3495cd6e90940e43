#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumistra_test {

// A heap block of exactly size usable bytes between two guard zones of a known value. The
// usable bytes begin misalignment bytes past a 64-byte boundary, so that kernels can be
// run on base pointers of every alignment. Stray writes show up in GuardsIntact() and fail
// the test when the buffer is destroyed; under AddressSanitizer the guards are also
// poisoned, so stray reads abort the test. The guard value is chosen by the caller so that
// a stray read also tends to change a filter's result in ordinary builds.
class GuardedBuffer {
public:
    static constexpr size_t kGuardSize = 64;
    static constexpr size_t kAlignment = 64;

    explicit GuardedBuffer(size_t size, uint8_t guardValue = 0xA5, uint8_t fill = 0x5A,
                           size_t misalignment = 0);
    explicit GuardedBuffer(const std::vector<uint8_t>& contents, uint8_t guardValue = 0xA5,
                           size_t misalignment = 0);
    ~GuardedBuffer();
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    uint8_t* data() { return block_.data() + start_; }
    const uint8_t* data() const { return block_.data() + start_; }
    size_t size() const { return size_; }
    std::vector<uint8_t> Contents() const;
    bool GuardsIntact() const;

private:
    void SetGuardsPoisoned(bool poisoned) const;

    std::vector<uint8_t> block_;
    size_t start_;
    size_t size_;
    uint8_t guardValue_;
};

}  // namespace lumistra_test
