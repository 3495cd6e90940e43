#include <utility>

#include "engine/img_class.h"

// Partial quickselect: only the side of each partition that holds the target position
// is examined further, so the array ends partly sorted around it.
uint8_t tImgClass::SelectMedian(uint8_t* values, uint32_t n) {
    if (n == 0) return 0;
    const uint32_t target = (n - 1) / 2;
    uint32_t low = 0;
    uint32_t high = n - 1;
    for (;;) {
        if (high <= low) return values[target];
        if (high == low + 1) {
            if (values[low] > values[high]) std::swap(values[low], values[high]);
            return values[target];
        }
        // Median of three ends at low and serves as the pivot; the smallest of the three
        // sits at low + 1 and stops the upward scan.
        const uint32_t mid = (low + high) / 2;
        if (values[mid] > values[high]) std::swap(values[mid], values[high]);
        if (values[low] > values[high]) std::swap(values[low], values[high]);
        if (values[mid] > values[low]) std::swap(values[mid], values[low]);
        std::swap(values[mid], values[low + 1]);

        const uint8_t pivot = values[low];
        uint32_t i = low + 1;
        uint32_t j = high;
        for (;;) {
            do ++i;
            while (values[i] < pivot);
            do --j;
            while (values[j] > pivot);
            if (j < i) break;
            std::swap(values[i], values[j]);
        }
        std::swap(values[low], values[j]);

        if (j <= target) low = i;
        if (j >= target) high = j - 1;
    }
}
