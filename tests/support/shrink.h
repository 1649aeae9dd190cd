// SPDX-License-Identifier: GPL-3.0-or-later
// Shortens a failing sequence by delta debugging: drops ever smaller runs
// of items, keeping the order of those that stay, for as long as what is
// left still fails. The result fails, and removing any single item from it
// makes the failure go away.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <vector>

namespace testing {

template <class T>
std::vector<T> shrinkFailing(std::vector<T> items,
                             const std::function<bool(const std::vector<T>&)>& fails) {
    std::size_t parts = 2;
    while (items.size() >= 2) {
        const std::size_t size = items.size();
        const std::size_t chunk = (size + parts - 1) / parts;
        bool reduced = false;
        // One part alone first (a big step), then everything but one part.
        for (int keepOnlyThePart : {1, 0}) {
            for (std::size_t start = 0; start < size && !reduced; start += chunk) {
                const std::size_t end = std::min(size, start + chunk);
                std::vector<T> candidate;
                for (std::size_t i = 0; i < size; ++i)
                    if ((i >= start && i < end) == bool(keepOnlyThePart))
                        candidate.push_back(items[i]);
                if (candidate.empty() || candidate.size() == size || !fails(candidate))
                    continue;
                items = std::move(candidate);
                parts = keepOnlyThePart ? 2 : std::max<std::size_t>(parts - 1, 2);
                reduced = true;
            }
            if (reduced)
                break;
        }
        if (reduced)
            continue;
        if (parts >= size)
            break;
        parts = std::min(size, parts * 2);
    }
    return items;
}

} // namespace testing
