// A bottom-up merge sort over a caller's scratch array. Used instead of qsort
// for the parts list and the match table because (1) it is stable, so equal
// parts and equal matches come out in the same order on every C runtime, and
// the window and console builds print the same report; (2) it only ever reads
// inside the two runs it merges, so a comparison that is not a strict ordering
// (a NaN value compares equal to everything) cannot make it overrun.
#pragma once

#include <cstring>

template <typename T>
void StableSort(T* items, int count, T* scratch, int (*compare)(const void*, const void*)) {
    T* from = items;
    T* to = scratch;
    for (int width = 1; width < count; width *= 2) {
        for (int left = 0; left < count; left += 2 * width) {
            int mid = left + width < count ? left + width : count;
            int right = left + 2 * width < count ? left + 2 * width : count;
            int i = left, j = mid, k = left;
            while (i < mid && j < right)
                to[k++] = compare(&from[j], &from[i]) < 0 ? from[j++] : from[i++];
            while (i < mid)
                to[k++] = from[i++];
            while (j < right)
                to[k++] = from[j++];
        }
        T* swap = from;
        from = to;
        to = swap;
    }
    if (from != items) std::memcpy(items, from, sizeof(T) * static_cast<std::size_t>(count));
}
