#pragma once
// What a folder tree holds, entry by entry: kind, mode, size, modification time,
// the bytes of each file and where each link leads. Two states compare equal only
// when nothing was created, changed or removed in between.

#include <map>
#include <string>

class FolderState {
public:
    static FolderState of(const std::string& root);

    bool operator==(const FolderState&) const = default;
    friend void PrintTo(const FolderState& state, std::ostream* os);

private:
    std::map<std::string, std::string> m_entries; // path below the root -> its description
};
