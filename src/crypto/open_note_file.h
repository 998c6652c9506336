// What the encryption commands may ask of the open note's file.
#pragma once

#include <optional>
#include <string>

namespace quivra::crypto {

class OpenNoteFile {
  public:
    // The bytes of the open note's file while it is still the one the editor
    // was filled from or last wrote (same size, time and content); none
    // otherwise, and when no note is open.
    virtual std::optional<std::string> unchangedBytes() const = 0;

  protected:
    ~OpenNoteFile() = default;
};

} // namespace quivra::crypto
