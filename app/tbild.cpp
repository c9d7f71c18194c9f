#include "app/tbild.h"

#include "persist/config.h"
#include "persist/languages.h"
#include "platform/debuglog.h"
#include "platform/platform.h"

#include <set>

namespace {

// Every picture wrapper alive, for the reload after a language switch.
std::set<TBild*>& allPictures() {
    static std::set<TBild*> pictures;
    return pictures;
}

// The language whose files the loaded pictures were last matched with.
int gPicturesLanguage = -1;

} // namespace

TBild::TBild() { allPictures().insert(this); }

TBild::~TBild() { allPictures().erase(this); }

int TBild::LoadFromDisk(const std::string& path, int flags) {
    const std::string own = localisedPath(path);
    if (url == path && file == own && isLoaded != 0) {
        DebugLog("TBild: Unnoetiges Neu-Laden von " + path + " verhindert!");
        return 0;
    }
    DebugLog("TBild: Lade(" + own + ")");
    url = path;
    file = own;
    flags_ = flags;
    data = LoadPicture(own, flags);
    if (data) {
        isLoaded = 1;
        W = static_cast<float>(PictureWidth(data.get()));
        H = static_cast<float>(PictureHeight(data.get()));
        label = path;
    } else {
        Unload();
        DebugLog("TBild: Laden nicht erfolgreich (" + own + ")");
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

void followLanguagePictures() {
    if (gPicturesLanguage == gConfig.sprache || !LanguageDataReady(languageCode(gConfig.sprache))) return;
    gPicturesLanguage = gConfig.sprache;
    for (TBild* pic : allPictures()) {
        if (pic->isLoaded == 0 || !pic->data || localisedPath(pic->url) == pic->file) continue;
        float hx = 0, hy = 0;
        ReadPictureHandle(pic->data.get(), hx, hy);
        pic->LoadFromDisk(pic->url, pic->flags_);
        if (pic->data) SetPictureHandle(pic->data.get(), hx, hy);
    }
}
