// Published properties of the control and form classes.
#include "framework/core/class_builder.h"
#include "framework/ui/form.h"
#include "framework/ui/menus.h"
#include "framework/ui/ui_idents.h"

LT_CLASS_TABLE(TControl) {
    c.Integer("Left", &TControl::Left, &TControl::SetLeft)
        .Integer("Top", &TControl::Top, &TControl::SetTop)
        .Integer("Width", &TControl::Width, &TControl::SetWidth)
        .Integer("Height", &TControl::Height, &TControl::SetHeight)
        .Enum("Align", &TControl::Align, &TControl::SetAlign)
        .Default(alNone)
        .Boolean("Visible", &TControl::Visible, &TControl::SetVisible)
        .Default(true)
        .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled)
        .Default(true)
        .Integer("Color", &TControl::Color, &TControl::SetColor, &ColorIdents())
        .SubObject("Font", [](TControl& c) { return &c.Font(); })
        .Enum("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode)
        .Default(bdLeftToRight)
        .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
        .Default(true)
        .Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
        .Default(false)
        .String("Caption", &TControl::Caption, &TControl::SetCaption)
        .Integer("Cursor", &TControl::Cursor, &TControl::SetCursor, &CursorIdents())
        .Default(crDefault)
        .Event("OnClick", &TControl::OnClick)
        .Event("OnDblClick", &TControl::OnDblClick)
        .Event("OnMouseEnter", &TControl::OnMouseEnter)
        .Event("OnMouseLeave", &TControl::OnMouseLeave)
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Event("OnMouseUp", &TControl::OnMouseUp)
        .Event("OnMouseMove", &TControl::OnMouseMove);
}

LT_CLASS_TABLE(TWinControl) {
    c.Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
        .Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
        .Default(false)
        .Boolean("DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered)
        .Default(false)
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Event("OnKeyUp", &TWinControl::OnKeyUp)
        .Event("OnKeyPress", &TWinControl::OnKeyPress)
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnExit", &TWinControl::OnExit);
}

LT_CLASS_TABLE(TSizeConstraints) {
    c.Integer("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::MinWidth)
        .Default(0)
        .Integer("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::MinHeight)
        .Default(0)
        .Integer("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::MaxWidth)
        .Default(0)
        .Integer("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::MaxHeight)
        .Default(0);
}

LT_CLASS_TABLE(TCustomForm) {
    c.Enum("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
        .Default(bsSizeable)
        .Set("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
        .Enum("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle)
        .Default(fsNormal)
        .Enum("Position", &TCustomForm::Position, &TCustomForm::SetPosition)
        .Default(poDesigned)
        .Enum("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState)
        .Default(wsNormal)
        .SubObject("Constraints", [](TCustomForm& f) { return &f.Constraints(); })
        .SubObject("Icon", &TCustomForm::Icon, &TCustomForm::SetIcon)
        .Boolean("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview)
        .Default(false)
        .Integer("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
        .Integer("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
        .Object("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
        .Object("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
        .Integer("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::PixelsPerInch)
        .Integer("TextHeight", &TCustomForm::TextHeight, &TCustomForm::TextHeight)
        .Boolean("OldCreateOrder", &TCustomForm::OldCreateOrder, &TCustomForm::OldCreateOrder)
        .Event("OnCreate", &TCustomForm::OnCreate)
        .Event("OnShow", &TCustomForm::OnShow)
        .Event("OnHide", &TCustomForm::OnHide)
        .Event("OnActivate", &TCustomForm::OnActivate)
        .Event("OnDeactivate", &TCustomForm::OnDeactivate)
        .Event("OnResize", &TCustomForm::OnResize)
        .Event("OnClose", &TCustomForm::OnClose)
        .Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
}

LT_CLASS_TABLE(TForm) {}
