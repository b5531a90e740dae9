#pragma once
// The signed-in user's entries, their labels and the custom categories, as plain tables.

#include <string>
#include <vector>

namespace quorvel::records {

class RecordBook {
public:
    // Empties every table of the signed-in user (sign-out).
    void clear() {}
};

} // namespace quorvel::records
