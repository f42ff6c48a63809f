// The skins of the gallery: the two packed skins compiled into the program,
// a skin archive from a file, and skinning on or off, all through one skin
// data component. A skin that fails to load leaves skinning off and a
// message saying why.
#pragma once

#include <string>

class TSkinData;

enum class TGallerySkin { None, XPLuna, Graphite, File, Folder };

class TGallerySkins {
public:
    explicit TGallerySkins(TSkinData* data) : data_(data) {}

    // Loads an embedded skin (its resource) into the component.
    bool UseEmbedded(TGallerySkin skin);
    // Loads a packed archive from a file.
    bool UseFile(const std::wstring& path);
    // Checks an unpacked skin folder, packs it in memory and loads it. A
    // folder with errors is not loaded: the skin in use stays, and Message()
    // holds the checker's lines; warnings load and are kept in Message().
    bool UseFolder(const std::wstring& path);
    // Switches skinning on (only with a loaded skin) or off.
    void SetSkinning(bool on);
    bool Skinning() const;

    TGallerySkin Current() const { return current_; }
    // The reason the last load failed; empty after a successful load.
    const std::wstring& Message() const { return message_; }
    TSkinData* Data() const { return data_; }

private:
    bool Failed(const std::wstring& message);

    TSkinData* data_;
    TGallerySkin current_ = TGallerySkin::None;
    std::wstring message_;
};
