// The gallery window; see the header.
#include "framework/ui/win32.h"

#include "tools/gallery/gallery_form.h"

#include <cwctype>

#include "app/form_resource.h"
#include "framework/core/class_builder.h"
#include "framework/stdctrls/std_buttons.h"
#include "framework/stdctrls/std_register_a.h"
#include "framework/stdctrls/std_register_b.h"
#include "framework/stdctrls/std_tabs.h"
#include "framework/ui/application.h"
#include "framework/ui/menus.h"
#include "skin/model/skin_data.h"

namespace {
std::wstring Lower(std::wstring s) {
    for (wchar_t& c : s)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return s;
}

// While MDI children get their windows, the framework finds their frame as
// the application's main form; the gallery stays the main form otherwise.
class TMainFormSwap {
public:
    explicit TMainFormSwap(TCustomForm* frame) : saved_(Application->MainForm()) {
        Application->SetMainForm(frame);
    }
    ~TMainFormSwap() { Application->SetMainForm(saved_); }
    TMainFormSwap(const TMainFormSwap&) = delete;
    TMainFormSwap& operator=(const TMainFormSwap&) = delete;

private:
    TCustomForm* saved_;
};
} // namespace

void RegisterGalleryClasses() {
    RegisterStandardControlsA();
    RegisterStandardControlsB();
    RegisterClasses<TMainMenu, TPopupMenu, TMenuItem, TSkinData>();
}

TForm_Gallery::TForm_Gallery(TComponent* owner) : TForm(owner) {
    RegisterGalleryClasses();
    RegisterHandler("FormCreate", this, &TForm_Gallery::FormCreate);
    RegisterHandler("PagesChange", this, &TForm_Gallery::PagesChange);
    RegisterHandler("Button_MdiClick", this, &TForm_Gallery::Button_MdiClick);
    RegisterHandler("Button_PopupClick", this, &TForm_Gallery::Button_PopupClick);
    RegisterHandler("Button_MessageClick", this, &TForm_Gallery::Button_MessageClick);
    RegisterHandler("Menu_ExitClick", this, &TForm_Gallery::Menu_ExitClick);
    RegisterHandler("Menu_XPLunaClick", this, &TForm_Gallery::Menu_XPLunaClick);
    RegisterHandler("Menu_GraphiteClick", this, &TForm_Gallery::Menu_GraphiteClick);
    RegisterHandler("Menu_SkinningClick", this, &TForm_Gallery::Menu_SkinningClick);
    ReadDefinition(LoadFormResource(L"TFORM_GALLERY"));
}

TForm_Gallery::~TForm_Gallery() = default;

// The named parts, and the skin helper over the definition's skin component.
void TForm_Gallery::FormCreate(TObject*) {
    Pages = dynamic_cast<TPageControl*>(FindComponent("Pages"));
    Popup_Gallery = dynamic_cast<TPopupMenu*>(FindComponent("Popup_Gallery"));
    SkinData_Gallery = dynamic_cast<TSkinData*>(FindComponent("SkinData_Gallery"));
    if (!Pages || !Popup_Gallery || !SkinData_Gallery)
        throw EReadError(L"The gallery definition lacks its pages, popup menu or skin");
    skins_ = std::make_unique<TGallerySkins>(SkinData_Gallery);
}

bool TForm_Gallery::ShowPage(const std::wstring& caption) {
    const std::wstring want = Lower(caption);
    for (int i = 0; i < Pages->PageCount(); ++i) {
        if (Lower(Pages->Pages(i)->Caption()) == want) {
            Pages->SetActivePageIndex(i);
            return true;
        }
    }
    return false;
}

// The window title names the page, so that it can be told from outside.
void TForm_Gallery::PagesChange(TObject*) {
    if (TTabSheet* page = Pages->ActivePage())
        SetCaption(std::wstring(kTitle) + L" - " + page->Caption());
}

// A frame over the gallery with three cascaded children; opened once, shown again after.
void TForm_Gallery::OpenMdi() {
    if (!mdiFrame_) {
        auto* frame = new TForm(this);
        frame->SetFormStyle(fsMDIForm);
        frame->SetCaption(L"MDI frame");
        frame->SetBounds(Left() + 60, Top() + 90, 460, 300);
        // The frame's menu bar, where a maximised child shows its buttons.
        auto* menu = new TMainMenu(frame);
        auto* window = new TMenuItem(menu);
        window->SetCaption(L"&Window");
        menu->Items()->Add(window);
        const auto addCommand = [frame, window](const wchar_t* caption, UINT message) {
            auto* item = new TMenuItem(window);
            item->SetCaption(caption);
            item->OnClick = [frame, message](TObject*) {
                SendMessageW(frame->ClientHandle(), message, 0, 0);
            };
            window->Add(item);
        };
        addCommand(L"&Cascade", WM_MDICASCADE);
        addCommand(L"&Tile", WM_MDITILE);
        frame->SetMenu(menu);
        frame->Show();
        TMainFormSwap swap(frame);
        for (int i = 0; i < 3; ++i) {
            auto* child = new TForm(frame);
            child->SetFormStyle(fsMDIChild);
            child->SetCaption(L"Child " + std::to_wstring(i + 1));
            child->SetBounds(12 + 40 * i, 10 + 36 * i, 240, 140);
            child->Show();
        }
        mdiFrame_ = frame;
    }
    mdiFrame_->Show();
    SetForegroundWindow(mdiFrame_->Handle());
}

void TForm_Gallery::ShowMessageBox() {
    MessageBoxW(Handle(), L"A platform message box over the gallery.", kMessageTitle,
                MB_OKCANCEL | MB_ICONINFORMATION);
}

void TForm_Gallery::ShowPopupMenu() {
    POINT at{16, 60};
    ::ClientToScreen(Pages->ActivePage() ? Pages->ActivePage()->Handle() : Handle(), &at);
    Popup_Gallery->Popup(at.x, at.y);
}

void TForm_Gallery::UpdateSkinMenu() {
    auto tick = [this](const char* name, bool on) {
        if (auto* item = dynamic_cast<TMenuItem*>(FindComponent(name)))
            item->SetChecked(on);
    };
    tick("Menu_XPLuna", skins_->Current() == TGallerySkin::XPLuna);
    tick("Menu_Graphite", skins_->Current() == TGallerySkin::Graphite);
    tick("Menu_Skinning", skins_->Skinning());
}

// A switch keeps skinning on or off as it was; a failure leaves it off.
void TForm_Gallery::SwitchTo(TGallerySkin skin) {
    const bool on = skins_->Skinning() || skins_->Current() == TGallerySkin::None;
    if (skins_->UseEmbedded(skin))
        skins_->SetSkinning(on);
    UpdateSkinMenu();
    if (!skins_->Message().empty())
        throw Exception(skins_->Message());
}

void TForm_Gallery::Button_MdiClick(TObject*) {
    OpenMdi();
}
void TForm_Gallery::Button_PopupClick(TObject*) {
    ShowPopupMenu();
}
void TForm_Gallery::Button_MessageClick(TObject*) {
    ShowMessageBox();
}
void TForm_Gallery::Menu_ExitClick(TObject*) {
    Close();
}
void TForm_Gallery::Menu_XPLunaClick(TObject*) {
    SwitchTo(TGallerySkin::XPLuna);
}
void TForm_Gallery::Menu_GraphiteClick(TObject*) {
    SwitchTo(TGallerySkin::Graphite);
}

void TForm_Gallery::Menu_SkinningClick(TObject*) {
    if (skins_->Current() == TGallerySkin::None)
        skins_->UseEmbedded(TGallerySkin::XPLuna);
    skins_->SetSkinning(!skins_->Skinning());
    UpdateSkinMenu();
}

LT_CLASS_TABLE(TForm_Gallery) {}
