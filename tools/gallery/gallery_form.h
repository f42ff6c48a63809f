// The gallery window: a page per control family (read from its definition),
// the menu bar with the skin commands, a popup menu, an MDI frame with child
// windows on demand, and a platform message box.
#pragma once

#include <memory>
#include <string>

#include "framework/ui/form.h"
#include "tools/gallery/gallery_skins.h"

class TPageControl;
class TPopupMenu;
class TSkinData;

class TForm_Gallery : public TForm {
    LT_CLASS(TForm_Gallery, TForm)
public:
    // Registers the classes and handlers the definition names, then reads it.
    explicit TForm_Gallery(TComponent* owner);
    ~TForm_Gallery() override;

    TPageControl* Pages = nullptr;
    TPopupMenu* Popup_Gallery = nullptr;
    TSkinData* SkinData_Gallery = nullptr;

    TGallerySkins& Skins() { return *skins_; }
    // Shows the page with this caption (case-insensitive); false when none has it.
    bool ShowPage(const std::wstring& caption);
    // The MDI frame once opened (with its three child windows), else null.
    TForm* MdiFrame() const { return mdiFrame_; }
    void OpenMdi();
    // Shows the platform message box (blocks until it is answered).
    void ShowMessageBox();
    // Shows the popup menu under the popup button (blocks until it closes).
    void ShowPopupMenu();

    // Menu command ticks follow the skin state.
    void UpdateSkinMenu();

    void FormCreate(TObject* sender);
    void PagesChange(TObject* sender);
    void Button_MdiClick(TObject* sender);
    void Button_PopupClick(TObject* sender);
    void Button_MessageClick(TObject* sender);
    void Menu_ExitClick(TObject* sender);
    void Menu_XPLunaClick(TObject* sender);
    void Menu_GraphiteClick(TObject* sender);
    void Menu_SkinningClick(TObject* sender);

    static constexpr const wchar_t* kTitle = L"Skin gallery";
    static constexpr const wchar_t* kMessageTitle = L"Gallery message";

private:
    void SwitchTo(TGallerySkin skin);

    std::unique_ptr<TGallerySkins> skins_;
    TForm* mdiFrame_ = nullptr;
};

// Registers every class a gallery definition may name.
void RegisterGalleryClasses();
