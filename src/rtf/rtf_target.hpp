#pragma once
// Where the rich-text parser delivers a document: prepared once, then text and, between the
// pieces of text, the state to show them in, then finished once.

#include "rtf/rtf_state.hpp"

#include <string_view>

namespace quorvel::rtf {

class RtfTarget {
public:
    virtual ~RtfTarget() = default;
    // From now on, text is to be shown in this state.
    virtual void SetState(const RtfState& state) = 0;
    // UTF-8 text to be shown in the current state.
    virtual void Write(std::string_view text) = 0;
    // Prepares for a new document; false refuses it.
    virtual bool Preprocess() = 0;
    // The document is complete.
    virtual bool Postprocess() = 0;
    // Delivers this object's own content to another target.
    virtual void Export(RtfTarget& target) = 0;
};

} // namespace quorvel::rtf
