#include "world/room/depth_order.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <vector>

#include "world/instance/instance.h"

namespace {

// The summary of a subtree without any depth but NaN: no depth is above it.
constexpr float kNoDepth = -std::numeric_limits<float>::infinity();

// A fixed seed keeps the tree's shape, and so every run, reproducible.
uint32_t g_priorityState = 0x9E3779B9u;

uint32_t NextPriority() {
  g_priorityState ^= g_priorityState << 13;
  g_priorityState ^= g_priorityState >> 17;
  g_priorityState ^= g_priorityState << 5;
  return g_priorityState;
}

struct Summary {
  float highest;
  bool holdsNaN;
};

Summary SummaryOf(const CInstance* node) {
  const bool nan = std::isnan(node->depth);
  Summary s{nan ? kNoDepth : node->depth, nan};
  for (const CInstance* child : {node->order.left, node->order.right}) {
    if (child == nullptr) continue;
    if (child->order.highest > s.highest) s.highest = child->order.highest;
    s.holdsNaN = s.holdsNaN || child->order.holdsNaN;
  }
  return s;
}

// False when the node's summary was right already.
bool Summarise(CInstance* node) {
  const Summary s = SummaryOf(node);
  if (s.highest == node->order.highest && s.holdsNaN == node->order.holdsNaN) return false;
  node->order.highest = s.highest;
  node->order.holdsNaN = s.holdsNaN;
  return true;
}

// The nodes from the root down to `node`.
void PathFromRoot(const CInstance* node, std::vector<const CInstance*>* path) {
  path->clear();
  for (; node != nullptr; node = node->order.up) path->push_back(node);
  std::reverse(path->begin(), path->end());
}

void Replace(DepthOrderTree* tree, CInstance* parent, const CInstance* old, CInstance* now) {
  if (parent == nullptr) {
    tree->root = now;
  } else if (parent->order.left == old) {
    parent->order.left = now;
  } else {
    parent->order.right = now;
  }
  if (now != nullptr) now->order.up = parent;
}

// `node` takes its parent's place; the parent becomes its child.
void RotateUp(DepthOrderTree* tree, CInstance* node) {
  CInstance* parent = node->order.up;
  CInstance* grand = parent->order.up;
  CInstance* moved;
  if (parent->order.left == node) {
    moved = node->order.right;
    parent->order.left = moved;
    node->order.right = parent;
  } else {
    moved = node->order.left;
    parent->order.right = moved;
    node->order.left = parent;
  }
  if (moved != nullptr) moved->order.up = parent;
  parent->order.up = node;
  Replace(tree, grand, parent, node);
  Summarise(parent);
  Summarise(node);
}

// Some instance of the subtree stops a walk looking for a depth above `depth`.
bool Stops(const CInstance* subtree, float depth) {
  return subtree != nullptr && (subtree->order.holdsNaN || subtree->order.highest > depth);
}

bool CheckNode(const CInstance* node, const CInstance* up, const CInstance** at, int32_t* seen) {
  if (node == nullptr) return true;
  const DepthOrderNode& n = node->order;
  if (n.up != up || (up != nullptr && n.priority > up->order.priority)) return false;
  if (!CheckNode(n.left, node, at, seen) || *at != node) return false;
  *at = node->next;
  ++*seen;
  if (!CheckNode(n.right, node, at, seen)) return false;
  const Summary s = SummaryOf(node);
  return s.highest == n.highest && s.holdsNaN == n.holdsNaN;
}

}  // namespace

void DepthOrder_Insert(DepthOrderTree* tree, CInstance* instance, CInstance* before, CInstance* predecessor) {
  instance->order = DepthOrderNode{};
  instance->order.priority = NextPriority();
  Summarise(instance);
  if (tree->root == nullptr) {
    tree->root = instance;
    return;
  }
  // The place in order is a free left slot of `before`, or else the free
  // right slot of the instance just before it.
  CInstance* parent = before != nullptr && before->order.left == nullptr ? before : predecessor;
  if (parent == before) {
    parent->order.left = instance;
  } else {
    parent->order.right = instance;
  }
  instance->order.up = parent;
  while (instance->order.up != nullptr && instance->order.up->order.priority < instance->order.priority) {
    RotateUp(tree, instance);
  }
  DepthOrder_Refresh(instance);
}

void DepthOrder_Remove(DepthOrderTree* tree, CInstance* instance) {
  DepthOrderNode& n = instance->order;
  while (n.left != nullptr && n.right != nullptr) {
    RotateUp(tree, n.left->order.priority > n.right->order.priority ? n.left : n.right);
  }
  CInstance* parent = n.up;
  Replace(tree, parent, instance, n.left != nullptr ? n.left : n.right);
  DepthOrder_Refresh(parent);
  n = DepthOrderNode{};
}

CInstance* DepthOrder_FirstAbove(const DepthOrderTree& tree, float depth) {
  CInstance* node = tree.root;
  if (std::isnan(depth)) {
    // Nothing compares at most NaN: the walk stops at the head.
    while (node != nullptr && node->order.left != nullptr) node = node->order.left;
    return node;
  }
  if (!Stops(node, depth)) return nullptr;
  while (node != nullptr) {
    if (Stops(node->order.left, depth)) {
      node = node->order.left;
    } else if (!(node->depth <= depth)) {
      return node;
    } else {
      node = node->order.right;
    }
  }
  return nullptr;
}

bool DepthOrder_Holds(const DepthOrderTree& tree, const CInstance* instance) {
  return DepthOrder_Root(instance) == tree.root;
}

const CInstance* DepthOrder_Root(const CInstance* instance) {
  const CInstance* top = instance;
  while (top->order.up != nullptr) top = top->order.up;
  return top;
}

bool DepthOrder_Precedes(const CInstance* a, const CInstance* b) {
  if (a == b) return false;
  static auto& pathA = *new std::vector<const CInstance*>;
  static auto& pathB = *new std::vector<const CInstance*>;
  PathFromRoot(a, &pathA);
  PathFromRoot(b, &pathB);
  size_t i = 0;
  while (i < pathA.size() && i < pathB.size() && pathA[i] == pathB[i]) ++i;
  const CInstance* common = pathA[i - 1];
  if (i == pathA.size()) return common->order.right == pathB[i];  // b below a
  return common->order.left == pathA[i];                          // a below b, or apart
}

// The node's own summary is made again, then those above it while they
// change: a summary above that stays as it was leaves every one higher up
// right too.
void DepthOrder_Refresh(CInstance* instance) {
  for (CInstance* node = instance; node != nullptr; node = node->order.up) {
    if (!Summarise(node) && node != instance) return;
  }
}

bool DepthOrder_Check(const DepthOrderTree& tree, const CInstance* head, int32_t count) {
  const CInstance* at = head;
  int32_t seen = 0;
  return CheckNode(tree.root, nullptr, &at, &seen) && at == nullptr && seen == count;
}
