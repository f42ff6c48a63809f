"""The XPLuna skin description, written out with CR LF line ends."""

INI = r"""
; XPLuna - blue glossy desktop skin.
; Drawn by generate.py; every picture named here lives in the same archive.

[TitlebarSkin]
SkinName=XPLuna
Author=Lantuo desktop team
Version=1.0
Date=2026-12-07
Description=Blue glossy frames with rounded title corners
Preview=Blue_FrameTop.bmp

[Personality]
Top=Blue_FrameTop.bmp
TopTopHeight=25
TopBotHeight=32
TopFrame=2
TopStretch=1
TopTrans=1
Left=Blue_FrameLeft.bmp
LeftTopHeight=30
LeftBotHeight=3
LeftFrame=2
LeftStretch=1
LeftTrans=1
Right=Blue_FrameRight.bmp
RightTopHeight=30
RightBotHeight=3
RightFrame=2
RightStretch=1
RightTrans=1
Bottom=Blue_FrameBottom.bmp
BottomTopHeight=2
BottomBotHeight=2
BottomFrame=2
BottomStretch=1
BottomTrans=0
; title text
TextShift=22
TextShiftVert=2
TextRightClip=76
TextAlignment=0
ActiveTextR=255
ActiveTextG=255
ActiveTextB=255
InActiveTextR=216
InActiveTextG=228
InActiveTextB=248
; menu bar
menuBar=Blue_Menu.bmp
TileMenu=1
MenuBorders=XPLuna\MenuFrame.bmp
MenuBorderWidth=3
ShadowMenus=0

[Buttons]
Bitmap=Blue_Button.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Trans=1
Tile=0
CheckButton=Blue_Checkbox.bmp
RadioButton=mxp1__Blue_RadioButton.bmp
NormalColour=0
MouseOverColour=0
PressedColour=0

[Button0]
; close
Action=0
Align=1
XCoord=25
YCoord=5
Visibility=0
ButtonImage=Blue_Close.bmp
MouseOver=Blue_CloseHover.bmp
Disabled=Blue_CloseDisabled.bmp

[Button3]
; maximise, shown while the window is not maximised
Action=1
Align=1
XCoord=48
YCoord=5
Visibility=2
Visibility1=6
ButtonImage=Blue_Maximize.bmp
MouseOver=Blue_MaximizeHover.bmp
Disabled=Blue_MaximizeDisabled.bmp

[Button6]
; restore, shown while the window is maximised
Action=1
Align=1
XCoord=48
YCoord=5
Visibility=1
ButtonImage=Blue_Restore.bmp
MouseOver=Blue_RestoreHover.bmp
Disabled=Blue_RestoreDisabled.bmp

[Button9]
; minimise
Action=2
Align=1
XCoord=71
YCoord=5
Visibility=8
ButtonImage=Blue_Minimize.bmp
MouseOver=Blue_MinimizeHover.bmp
Disabled=Blue_MinimizeDisabled.bmp

[Button16]
; window icon, opens the system menu
Action=11
Align=0
XCoord=7
YCoord=7
Visibility=0

[SunkEdge]
Image=Blue_ComboBox.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2
Trans=0
Tile=0

[ComboButton]
Image=Blue_ComboButton.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Trans=1
Tile=0
Style=0

[ExtraImages]
Image=Blue_ComboButtonGlyph.bmp
Trans=1

[Scrollbar]
Image=Blue_ScrollArrows.bmp
Trans=1
Tile=0

[HorzScroll]
Image=Blue_HScrollShaft.bmp
LeftWidth=0
RightWidth=0
TopHeight=1
BottomHeight=1
Trans=0
Tile=1

[VertScroll]
Image=Blue_VScrollShaft.bmp
LeftWidth=1
RightWidth=1
TopHeight=0
BottomHeight=0
Trans=0
Tile=1

[HorzScrollThumb]
Image=Blue_HScrollThumb.bmp
FrameCount=3
LeftWidth=4
RightWidth=4
TopHeight=3
BottomHeight=3
Trans=1

[VertScrollThumb]
Image=Blue_VScrollThumb.bmp
FrameCount=3
LeftWidth=3
RightWidth=3
TopHeight=4
BottomHeight=4
Trans=1

[ToolBars]
Image=Blue_ToolbarButton.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Trans=1
Tile=0

[StatusBarEdges]
Image=Blue_Status.bmp
LeftWidth=1
RightWidth=1
TopHeight=1
BottomHeight=1
Trans=0
NormalColour2=0 0 0

[Headerbar]
Image=Blue_Header.bmp
LeftWidth=2
RightWidth=2
TopHeight=1
BottomHeight=3
Trans=0

[Progress]
Bitmap=Blue_Progressbar.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2
Trans=1
Tile=1
Style=0

[Tabs]
Image=mxp1__Blue_Tab.bmp
Border=Blue_TabPanel.bmp
LeftWidth=4
RightWidth=4
TopHeight=4
BottomHeight=2
Trans=1
Tile=0
NormalColour2=0 0 0
MouseOverColour2=0 0 0

[MenuItem]
Image=Blue_MenuItem.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2
Trans=1
Tile=0

[MenuBackground]
Image=Blue_MenuFrame.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Trans=0
Tile=0

[MdiControls]
Image=Blue_MDIButtons.bmp

[GroupBox]
Image=Blue_GroupBoxTop.bmp
LeftWidth=8
RightWidth=8
TopHeight=0
BottomHeight=0
Trans=1
BackgroundAlignment=1
BackgroundLeftShift=-3
BackgroundRightShift=-3

[GroupBoxEdge]
Image=Blue_Groupbox.bmp
LeftWidth=4
RightWidth=4
TopHeight=4
BottomHeight=4
Trans=1
Tile=0

[Colours]
WindowText=0 0 0
Window=255 255 255
ButtonFace=237 234 220
ButtonText=0 0 0
ButtonHilight=255 255 255
Buttonlight=243 241 230
ButtonShadow=170 166 152
ButtonDkShadow=112 110 100
Scrollbar=214 210 200
Hilight=52 108 200
HilightText=255 255 255
Menu=255 255 255
Menubar=237 234 220
MenuText=0 0 0
MenuBarText=0 0 0
TitleTextActive=255 255 255
TitleTextNoActive=216 228 248
Background=0 80 156
ActiveTitle=0 84 226
GradientActiveTitle=64 150 255
InactiveTitle=124 152 222
GradientInactiveTitle=160 186 236
ActiveBorder=214 210 200
InactiveBorder=214 210 200
AppWorkspace=128 128 128
GrayText=170 166 152
InfoText=0 0 0
InfoWindow=255 255 226

[Colour0]
color=0 0 0
Name=Text

[Colour1]
color=0 70 213
Name=Link

[Colour2]
color=255 255 255
Name=Paper

[Colour3]
color=161 161 146
Name=Rule

[Customcolors]
Color0=0 84 226
Color1=64 150 255
Color2=124 152 222
Color3=237 234 220
Color4=226 92 52

[Fonts]
FontHeight=16
FontWeight=700

[RebarGrip]
Image=XPLuna\Blue_RebarGrip.bmp
Width=5

[TaskBar]
Colour=36 94 220
Height=30
Gradient=1

[StartButton]
Colour=60 160 60
TextColour=255 255 255
Caption=start

[MenuBar]
Image=Blue_MenuButton.bmp
Frames=3
LeftWidth=3
RightWidth=3

[Text]
Shadow=0
ShadowColour=10 36 106
Antialias=1

[Font0]
Name=Title
Height=16
Bold=1

[Font1]
Name=Menu
Height=12
Bold=0

[Font2]
Name=Status
Height=12
Bold=0

[Font3]
Name=Message
Height=12
Bold=0

[Layout0]
Name=Standard
Buttons=Close,Maximize,Minimize

[Layout1]
Name=Tool window
Buttons=Close

[WebBlinds]
Toolbars=2
Background=237 234 220

[WebBlindsToolbar0]
Description="Standard buttons"
Buttons=Back,Forward,Stop,Refresh,Home

[WebBlindsToolbar1]
Description="Address bar"
Buttons=Go

[Skins]
Count=1
Skin0=XPLuna
"""


def ini_bytes():
    """The description as CR LF text; the leading blank line is dropped."""
    return INI.lstrip("\n").replace("\n", "\r\n").encode("ascii")
