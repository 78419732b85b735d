#pragma once

#include "TQueryBuffer.h"

#include <unordered_set>
#include <vector>

// The nodes of a chain linked through `Next` inside one query buffer, first to last. The chain ends on a null
// link, on a link that leaves the buffer or is misaligned, and on a link back to any node already taken: a
// node linking to itself gives one node, and no cycle can loop.
template <class TNode>
std::vector<const TNode *> ChainNodes(const TQueryBuffer &buffer, const void *first)
{
    std::vector<const TNode *> nodes;
    std::unordered_set<const void *> taken;
    for (const TNode *node = buffer.At<TNode>(first); node != nullptr && taken.insert(node).second;
         node = buffer.At<TNode>(node->Next))
        nodes.push_back(node);
    return nodes;
}
