#pragma once

#include "model/LogicGraph.h"

#include <vector>

// One line of the tree of what drives a channel: the channel it names and,
// below the top, the term of the equation above that names it.
struct CLogicNode {
    short nChannel = -1;
    // Its place among the Terms of the equation above; -1 at the top.
    int nTerm = -1;
    CLogicTerm term;
    // The channel is met higher up the same branch: shown once, not opened.
    bool bCircle = false;
    // The channels from the top down to the one above this node.
    std::vector<short> anPath;
};

// A channel that a channel drives, directly or through others.
struct CLogicDriven {
    short nChannel = -1;
    // The channel it is reached through (the one it uses).
    short nThrough = -1;
    // 1 for a direct user, 2 for a user of a user, and so on.
    int nLevel = 1;
};

// The tree of what drives a channel, read from the logic graph and opened a
// level at a time: a fully populated system's tree has far more branches
// than anyone reads, so only the levels looked at are built.
class CLogicTree {
public:
    explicit CLogicTree(const CLogicGraph& graph) : m_graph(graph) {}

    CLogicNode Root(short nIndex) const;
    // The equation a node opens into: its own channel's, or for a Timer
    // Done or Running channel its timer's enable channel's; -1 when there
    // is none or the node closes a circle.
    short EquationOf(const CLogicNode& node) const;
    std::vector<CLogicNode> Children(const CLogicNode& node) const;
    // Whether the node has anything to open.
    bool HasChildren(const CLogicNode& node) const;

    // Everything the channel drives, each channel once, nearest first; a
    // Timer Enable channel drives the users of its timer's Done and Running
    // channels as well.
    std::vector<CLogicDriven> Driven(short nIndex) const;

private:
    std::vector<short> Reached(short nIndex) const;

    const CLogicGraph& m_graph;
};
