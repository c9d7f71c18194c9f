// A temporary folder to play in: it becomes the working directory for its
// lifetime, and its data folder links to the game's. Music is left out:
// nothing is heard, and decoding a track at every level start would be most of
// the work of a short run.
#pragma once

#include <filesystem>
#include <string>

namespace autoplay {

class PlayFolder {
  public:
    // With ownLevels the levels folder is the folder's own, holding only the
    // item targets, so a caller can write level files of its own there.
    PlayFolder(const std::string& gameDir, bool ownLevels);
    ~PlayFolder();
    PlayFolder(const PlayFolder&) = delete;
    PlayFolder& operator=(const PlayFolder&) = delete;
    // True when the folder is the working directory and playLoadData() found
    // what play needs.
    bool ready() const { return ready_; }

  private:
    std::filesystem::path oldCwd_, dir_;
    bool ready_ = false;
};

} // namespace autoplay
