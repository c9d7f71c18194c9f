// TBild: one picture with its file path, size, a stored drawing position and a
// label for log lines. Loading the same file again while loaded does nothing;
// drawing an empty wrapper draws nothing and writes a log line. A picture with
// words comes from the language's own folder when it has one.
#pragma once
#include "platform/platform.h"

#include <string>

class TBild {
  public:
    std::string url;       // path of the file last asked for
    PicturePtr data;       // the loaded picture, none when empty
    float X = 0, Y = 0;    // drawing position used by Paint; kept across reloads
    float W = 0, H = 0;    // size of the last picture that loaded successfully
    float sc = 0, rot = 0; // carried along, not used
    int isLoaded = 0;      // 1 while data holds a picture loaded by LoadFromDisk
    int isCentered = 0;    // carried along, not used
    std::string label;     // text used in log lines
    std::string file;      // the file loaded for url in the language in use

    TBild();
    TBild(const TBild&) = delete;
    TBild& operator=(const TBild&) = delete;
    virtual ~TBild();

    // flags as for LoadPicture: 0 = plain, -1 = mask and smoothing.
    virtual int LoadFromDisk(const std::string& path, int flags);
    virtual int Unload();
    virtual int Paint();
    virtual int PaintXY(float x, float y);
    virtual int setXY(float x, float y);
    virtual int Center();
    virtual int setHandleTopLeft();

  private:
    int flags_ = 0;
    friend void followLanguagePictures();
};

// Once the files of the language in use are there, reloads every loaded picture
// whose file differs in that language, keeping its handle. Called after a
// language switch and on every frame, for files that arrive later.
void followLanguagePictures();
