#include "ui/win32/help_location.h"

#include <cstdio>
#include <cstring>

bool ProductRegistryKey(const char* productCode, char* key, std::size_t capacity) {
    if (capacity == 0) return false;
    key[0] = '\0';
    if (productCode == nullptr || std::strlen(productCode) < 5) return false;
    const char productWord[4] = {productCode[0], productCode[1], productCode[2], '\0'};
    const char versionFamily[3] = {productCode[4], '0', '\0'};
    const int written =
        std::snprintf(key, capacity, "%s\\%s\\%s\\", kProductKeyBase, productWord, versionFamily);
    if (written < 0 || static_cast<std::size_t>(written) >= capacity) {
        key[0] = '\0';
        return false;
    }
    return true;
}

int32_t CheckStringValue(int32_t queryResult, uint32_t type, const uint8_t* data,
                         uint32_t storedBytes, uint32_t capacity) {
    if (data == nullptr) return queryResult;
    if (queryResult != 0) return queryResult;
    // A registry that reports more than the buffer holds is not trusted either.
    if (storedBytes > capacity) return kInvalidDataError;
    switch (type) {
        case kRegistryString:
        case kRegistryExpandString:
            if (storedBytes >= 1 && data[storedBytes - 1] == 0) return 0;
            return kInvalidDataError;
        case kRegistryMultiString:
            if (storedBytes >= 2 && data[storedBytes - 1] == 0 && data[storedBytes - 2] == 0) {
                return 0;
            }
            return kInvalidDataError;
        default:
            return kInvalidDataError;
    }
}

bool ComposeHelpAddress(const char* location, char* address, std::size_t capacity) {
    if (capacity == 0) return false;
    address[0] = '\0';
    const std::size_t needed =
        std::strlen(kHelpAddressScheme) + std::strlen(location) + std::strlen(kHelpPageName) + 1;
    if (needed > capacity) return false;
    std::snprintf(address, capacity, "%s%s%s", kHelpAddressScheme, location, kHelpPageName);
    return true;
}
