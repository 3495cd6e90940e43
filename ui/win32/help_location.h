// The decisions of the Help command that need no window system: where the
// product's key lies in the registry, whether a value read from it is a usable
// string, and the help page's address composed from it. The Win32 layer feeds
// them what the registry answered; Linux tests check them directly.
#pragma once

#include <cstddef>
#include <cstdint>

// The code the registry key is built from: product word "QNT", version family 1.
constexpr char kProductCode[] = "QNTW114";
constexpr char kProductKeyBase[] = "SOFTWARE\\MORVANE\\TRX Plug-Ins";
constexpr char kHelpValueName[] = "HelpFile";
constexpr char kHelpPageName[] = "LumistraHelp.htm";
constexpr char kHelpAddressScheme[] = "file://";

// The location is read into this many bytes (its terminating zero included) and
// the address is composed in kHelpAddressCapacity bytes.
constexpr uint32_t kHelpLocationCapacity = 254;
constexpr std::size_t kHelpAddressCapacity = 256;
constexpr std::size_t kRegistryKeyCapacity = 64;

// Registry value types (the Win32 REG_* values) and the error a value that is not
// a terminated string gives (ERROR_INVALID_DATA).
enum RegistryValueType : uint32_t {
    kRegistryNone = 0,
    kRegistryString = 1,
    kRegistryExpandString = 2,
    kRegistryDword = 4,
    kRegistryMultiString = 7,
};
constexpr int32_t kInvalidDataError = 13;

// Writes "<base>\<product word>\<version family>\" for productCode: the word is its
// first three characters, the family its fifth followed by 0. False (and nothing
// usable in key) when the code is shorter than five characters or key too small.
bool ProductRegistryKey(const char* productCode, char* key, std::size_t capacity);

// What QueryStringValue answers once the registry query returned queryResult with
// the value's type and storedBytes bytes in data (capacity bytes available): 0 for
// a string that ends in its terminating zero (two for a multi-string), the query's
// own error when it failed, kInvalidDataError for any other type or an unterminated
// string. Without a buffer only the query's result counts.
int32_t CheckStringValue(int32_t queryResult, uint32_t type, const uint8_t* data,
                         uint32_t storedBytes, uint32_t capacity);

// Writes "file://" + location + "LumistraHelp.htm" into address. A location too
// long for the address is refused (false, address left empty), never cut short.
bool ComposeHelpAddress(const char* location, char* address, std::size_t capacity);
