#pragma once
// Edmonds' blossom algorithm: grows a matching of a general graph, held in fixed tables, until it is
// perfect or a vertex is left without an augmenting path (then no perfect matching exists: a vertex
// without an augmenting path keeps none after later augmentations). The caller starts the matching (any
// matching, for example a greedy one) and gives the neighbours of a vertex through a visitor.
#include <array>
#include <cstddef>
#include <cstdint>

namespace tandemx::engine {

using std::size_t;

template <int N>
struct BlossomTables {
    std::array<int16_t, N> match{}, parent{}, base{}, queue{};
    std::array<uint8_t, N> used{}, inBlossom{}, onPath{};
};

// forEachNeighbour(v, visit) calls visit(w) for the neighbours w of v until visit answers true.
// match holds the starting matching (-1: unmatched) of vertices 0..V-1 and, on true, a perfect matching.
template <int N, class ForEachNeighbour>
bool completeMatching(int V, BlossomTables<N>& t, ForEachNeighbour&& forEachNeighbour)
{
    auto& match = t.match;
    auto& parent = t.parent;
    auto& base = t.base;
    auto& used = t.used;
    auto& queue = t.queue;
    auto lca = [&](int a, int b) {
        for (int i = 0; i < V; ++i)
            t.onPath[size_t(i)] = 0;
        for (;;) {
            a = base[size_t(a)];
            t.onPath[size_t(a)] = 1;
            if (match[size_t(a)] == -1)
                break;
            a = parent[size_t(match[size_t(a)])];
        }
        for (;;) {
            b = base[size_t(b)];
            if (t.onPath[size_t(b)])
                return b;
            b = parent[size_t(match[size_t(b)])];
        }
    };
    auto markPath = [&](int v, int b, int child) {
        while (base[size_t(v)] != b) {
            t.inBlossom[size_t(base[size_t(v)])] = t.inBlossom[size_t(base[size_t(match[size_t(v)])])] = 1;
            parent[size_t(v)] = int16_t(child);
            child = match[size_t(v)];
            v = parent[size_t(match[size_t(v)])];
        }
    };
    auto findPath = [&](int root) {
        for (int i = 0; i < V; ++i) {
            used[size_t(i)] = 0;
            parent[size_t(i)] = -1;
            base[size_t(i)] = int16_t(i);
        }
        used[size_t(root)] = 1;
        int head = 0, tail = 0;
        queue[size_t(tail++)] = int16_t(root);
        int found = -1;
        while (head < tail && found < 0) {
            const int v = queue[size_t(head++)];
            forEachNeighbour(v, [&](int to) {
                if (base[size_t(v)] == base[size_t(to)] || match[size_t(v)] == to)
                    return false;
                if (to == root || (match[size_t(to)] != -1 && parent[size_t(match[size_t(to)])] != -1)) {
                    const int cur = lca(v, to);
                    for (int i = 0; i < V; ++i)
                        t.inBlossom[size_t(i)] = 0;
                    markPath(v, cur, to);
                    markPath(to, cur, v);
                    for (int i = 0; i < V; ++i) {
                        if (t.inBlossom[size_t(base[size_t(i)])]) {
                            base[size_t(i)] = int16_t(cur);
                            if (!used[size_t(i)]) {
                                used[size_t(i)] = 1;
                                queue[size_t(tail++)] = int16_t(i);
                            }
                        }
                    }
                } else if (parent[size_t(to)] == -1) {
                    parent[size_t(to)] = int16_t(v);
                    if (match[size_t(to)] == -1) {
                        found = to;
                        return true;
                    }
                    used[size_t(match[size_t(to)])] = 1;
                    queue[size_t(tail++)] = match[size_t(to)];
                }
                return false;
            });
        }
        return found;
    };
    for (int v = 0; v < V; ++v) {
        if (match[size_t(v)] != -1)
            continue;
        int w = findPath(v);
        if (w < 0)
            return false;
        while (w != -1) {
            const int pv = parent[size_t(w)], ppv = match[size_t(pv)];
            match[size_t(w)] = int16_t(pv);
            match[size_t(pv)] = int16_t(w);
            w = ppv;
        }
    }
    return true;
}

} // namespace tandemx::engine
