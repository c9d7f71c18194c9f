#include "app/tbild.h"

#include "platform/debuglog.h"

TBild::~TBild() = default;

int TBild::LoadFromDisk(const std::string& path, int flags) {
    if (url == path && isLoaded != 0) {
        DebugLog("TBild: Unnoetiges Neu-Laden von " + path + " verhindert!");
        return 0;
    }
    DebugLog("TBild: Lade(" + path + ")");
    url = path;
    data = LoadPicture(path, flags);
    if (data) {
        isLoaded = 1;
        W = static_cast<float>(PictureWidth(data.get()));
        H = static_cast<float>(PictureHeight(data.get()));
        label = path;
    } else {
        Unload();
        DebugLog("TBild: Laden nicht erfolgreich (" + path + ")");
    }
    return 0;
}

int TBild::Unload() {
    data.reset();
    isLoaded = 0;
    DebugLog("TBild: " + url + " (" + label + ") entladen.");
    return 0;
}

int TBild::Paint() {
    if (isLoaded == 1 && data) {
        DrawPicture(data.get(), X, Y, 0);
    } else {
        DebugLog("TBild: PaintErr: " + url + " (" + label + ")");
    }
    return 0;
}

int TBild::PaintXY(float x, float y) {
    if (data && isLoaded == 1) {
        DrawPicture(data.get(), x, y, 0);
    } else {
        DebugLog("TBild: PaintErr: " + url + " (" + label + ") an " + std::to_string(x) + "/" + std::to_string(y));
    }
    return 0;
}

int TBild::setXY(float x, float y) {
    X = x;
    Y = y;
    return 0;
}

int TBild::Center() {
    if (data) CentrePictureHandle(data.get());
    return 0;
}

int TBild::setHandleTopLeft() {
    if (data) SetPictureHandle(data.get(), 0, 0);
    return 0;
}
