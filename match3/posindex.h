// Slots bucketed by their x coordinate, so the rules can look at one column
// instead of the whole table. Buckets may hold stale or foreign entries (a slot
// freed or reused since the build, another x in the same bucket): callers always
// re-check kind and position, so a lookup finds exactly what a full scan finds.
#pragma once
#include "match3/board.h"

struct XBuckets {
    static constexpr int kBuckets = 61; // 48 * k mod 61 differs for every column
    int count[kBuckets];
    int slot[kBuckets][kItems + 1];

    static int bucketOf(int x) {
        const int b = x % kBuckets;
        return b < 0 ? b + kBuckets : b;
    }
    void clear() {
        for (int b = 0; b < kBuckets; b++) count[b] = 0;
    }
    void add(int s, int x) {
        const int b = bucketOf(x);
        if (count[b] <= kItems) slot[b][count[b]++] = s;
    }
    // Every slot 1..last with used[s] > 0, in ascending slot order per bucket.
    void build(const int used[], const int x[], int last) {
        clear();
        for (int s = 1; s <= last; s++)
            if (used[s] > 0) add(s, x[s]);
    }
    const int* begin(int x) const { return slot[bucketOf(x)]; }
    const int* end(int x) const { return slot[bucketOf(x)] + count[bucketOf(x)]; }
};
