// Progress bars, with the platform's defaults (range 0 to 100, step 10) and its rules: the
// position stays within the range, and a step past the end starts over from the beginning.
#include <utility>

#include "control_nodes.h"
#include "sys.h"

namespace fw::sys {

namespace {

using headless::ProgressNode;

ProgressNode* bar(Handle handle) {
    return headless::find<ProgressNode>(handle);
}

void keepInRange(ProgressNode& node) {
    if (node.pos < node.low) {
        node.pos = node.low;
    }
    if (node.pos > node.high) {
        node.pos = node.high;
    }
}

}  // namespace

void progressSetRange(Handle handle, int low, int high) {
    if (ProgressNode* node = bar(handle)) {
        node->low = low;
        node->high = high;
        keepInRange(*node);
    }
}

std::pair<int, int> progressRange(Handle handle) {
    ProgressNode* node = bar(handle);
    return node != nullptr ? std::make_pair(node->low, node->high) : std::make_pair(0, 0);
}

int progressSetPos(Handle handle, int pos) {
    ProgressNode* node = bar(handle);
    if (node == nullptr) {
        return 0;
    }
    int previous = node->pos;
    node->pos = pos;
    keepInRange(*node);
    return previous;
}

int progressPos(Handle handle) {
    ProgressNode* node = bar(handle);
    return node != nullptr ? node->pos : 0;
}

int progressSetStep(Handle handle, int step) {
    ProgressNode* node = bar(handle);
    if (node == nullptr) {
        return 0;
    }
    return std::exchange(node->step, step);
}

int progressStepIt(Handle handle) {
    ProgressNode* node = bar(handle);
    if (node == nullptr) {
        return 0;
    }
    int previous = node->pos;
    if (node->low != node->high) {
        int span = node->high - node->low;
        node->pos += node->step;
        if (node->pos > node->high) {
            node->pos = (node->pos - node->low) % span + node->low;
        }
        if (node->pos < node->low) {
            node->pos = (node->pos - node->low) % span + node->high;
        }
    }
    return previous;
}

}  // namespace fw::sys
