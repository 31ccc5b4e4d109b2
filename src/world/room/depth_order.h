// The search tree a room list keeps beside its links, so that the place of
// an instance by depth is found without walking the list. It is a treap in
// list order: each node knows the greatest depth below it and whether a NaN
// depth is there, which is all a search for the first instance the list walk
// would stop at needs.
#pragma once

#include <cstdint>

class CInstance;

// The root of one list's tree; the nodes live in the instances.
struct DepthOrderTree {
  CInstance* root = nullptr;
};

// Puts `instance` into the tree just before `before` in list order (at the
// end when null). `predecessor` is the instance the list holds before that
// place, or null at the front.
void DepthOrder_Insert(DepthOrderTree* tree, CInstance* instance, CInstance* before, CInstance* predecessor);
void DepthOrder_Remove(DepthOrderTree* tree, CInstance* instance);
// The first instance in list order whose depth d leaves `!(d <= depth)`
// true, i.e. where a walk from the head looking for a greater depth stops
// (NaN stops it either way); null when the walk would run off the end.
CInstance* DepthOrder_FirstAbove(const DepthOrderTree& tree, float depth);
// The instance is a node of this tree.
bool DepthOrder_Holds(const DepthOrderTree& tree, const CInstance* instance);
// The root of the tree the instance is in (itself when in none).
const CInstance* DepthOrder_Root(const CInstance* instance);
// `a` comes before `b` in the list whose tree holds both.
bool DepthOrder_Precedes(const CInstance* a, const CInstance* b);
// An instance's depth changed: every subtree summary above it follows.
void DepthOrder_Refresh(CInstance* instance);
// The tree holds exactly the list from head on, in its order, with right
// summaries, links and priorities; false at the first thing that is wrong.
bool DepthOrder_Check(const DepthOrderTree& tree, const CInstance* head, int32_t count);
