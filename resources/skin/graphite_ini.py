"""The Graphite skin description, written out with CR LF line ends.

Every value the engine reads differs from XPLuna's where a skin can choose:
frame sizes, tiling, caption-button placement and frame counts, the mark
strips, the chunked progress look, a combo button of its own cells instead
of XPLuna's composite, and the optional elements XPLuna leaves out (title
plate, up-down, track-bar thumbs)."""

INI = r"""
; Graphite - a dark, quiet desktop skin.
; Drawn by generate.py; every picture named here lives in the same archive.

[TitlebarSkin]
SkinName=Graphite
Author=Lantuo desktop team
Version=1.0
Date=2026-12-08
Description=Charcoal frames with chamfered corners and a centred title

[Personality]
Top=Graphite_FrameTop.bmp
TopTopHeight=10
TopBotHeight=10
TopFrame=2
TopStretch=0
TopTrans=1
Left=Graphite_FrameLeft.bmp
LeftTopHeight=24
LeftBotHeight=5
LeftFrame=2
LeftStretch=0
LeftTrans=1
Right=Graphite_FrameRight.bmp
RightTopHeight=24
RightBotHeight=5
RightFrame=2
RightStretch=0
RightTrans=1
Bottom=Graphite_FrameBottom.bmp
BottomTopHeight=4
BottomBotHeight=4
BottomFrame=2
BottomStretch=1
BottomTrans=1
; title text: centred on a recessed plate
TextBack=Graphite_TitlePlate.bmp
TXTBackleft=8
TXTBackRight=8
TextShift=30
TextShiftVert=-2
TextRightClip=92
TextAlignment=1
Textbackground=1
ActiveTextR=226
ActiveTextG=230
ActiveTextB=236
InActiveTextR=150
InActiveTextG=154
InActiveTextB=160
; menu bar: caps and a repeated brushed middle
menuBar=Graphite_Menu.bmp
TileMenu=0
TileLeftMenu=3
TileRightMenu=3

[Buttons]
Bitmap=Graphite_Button.bmp
LeftWidth=4
RightWidth=4
TopHeight=4
BottomHeight=4
Trans=1
Tile=1
CheckButton=Graphite_Check.bmp
CheckButtonFrame=12
RadioButton=Graphite_Radio.bmp
RadioButtonFrame=8
NormalColour=0x00E6E2E0
MouseOverColour=$00FFFFFF
PressedColour=0x00D2CCC8
NormalColour2=224 226 230
MouseOverColour2=255 255 255
PressedColour2=200 204 210

[Button0]
; close, right end of the title
Action=0
Align=1
XCoord=24
YCoord=3
Visibility=0
frame=4
ButtonImage=Graphite_Close.bmp

[Button1]
; maximise, shown while the window is not maximised
Action=1
Align=1
XCoord=44
YCoord=3
Visibility=2
Visibility1=6
frame=4
ButtonImage=Graphite_Maximize.bmp

[Button2]
; restore, shown while the window is maximised
Action=1
Align=1
XCoord=44
YCoord=3
Visibility=1
Visibility1=6
frame=4
ButtonImage=Graphite_Restore.bmp

[Button3]
; minimise
Action=2
Align=1
XCoord=64
YCoord=3
Visibility=8
frame=4
ButtonImage=Graphite_Minimize.bmp

[Button4]
; the system menu as a drawn button at the left end (three frames)
Action=12
Align=0
XCoord=6
YCoord=3
Visibility=0
ButtonImage=Graphite_MenuButton.bmp

[Button5]
; help, right of the title text, only while the window is active
Action=5
Align=3
XCoord=4
YCoord=3
Visibility=0
Visibility1=3
ButtonImage=Graphite_Help.bmp

[Button7]
; a title-bar decoration for other shells: Action -1 keeps it out
Action=-1
Align=0
XCoord=30
YCoord=0
Visibility=1

[ComboButton]
; no SunkEdge picture, so no composite: the button keeps its own four
; cells and the arrow of ExtraImages is centred on them
Image=Graphite_ComboButton.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2
Trans=0
Tile=0

[ExtraImages]
Image=Graphite_Glyphs.bmp
Trans=1

[Scrollbar]
Image=Graphite_ScrollArrows.bmp
Trans=1
Tile=0

[HorzScroll]
Image=Graphite_HScrollShaft.bmp
LeftWidth=0
RightWidth=0
TopHeight=1
BottomHeight=1
Trans=0
Tile=1

[VertScroll]
Image=Graphite_VScrollShaft.bmp
LeftWidth=1
RightWidth=1
TopHeight=0
BottomHeight=0
Trans=0
Tile=1

[HorzScrollThumb]
Image=Graphite_HScrollThumb.bmp
FrameCount=2
LeftWidth=5
RightWidth=5
TopHeight=4
BottomHeight=4
Trans=1

[VertScrollThumb]
Image=Graphite_VScrollThumb.bmp
FrameCount=2
LeftWidth=4
RightWidth=4
TopHeight=5
BottomHeight=5
Trans=1

[ToolBars]
Image=Graphite_ToolbarButton.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2
Trans=1
Tile=1

[StatusBarEdges]
Image=Graphite_Status.bmp
LeftWidth=1
RightWidth=1
TopHeight=1
BottomHeight=1
Trans=0
Tile=1
NormalColour2=200 204 210

[Headerbar]
Image=Graphite_Header.bmp
LeftWidth=2
RightWidth=3
TopHeight=1
BottomHeight=3
Trans=0
NormalColour2=220 222 226

[Progress]
; the chunked look: a trough and a repeated chunk
Bitmap=Graphite_ProgressTrough.bmp
Chunk=Graphite_ProgressChunk.bmp
Style=1
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Trans=1
Tile=0

[Tabs]
Image=Graphite_Tab.bmp
Border=Graphite_TabBorder.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=1
Trans=1
Tile=1
NormalColour2=180 184 190
MouseOverColour2=240 242 245

[UpDown.Vert]
Image=Graphite_SpinVert.bmp
GlyphImage=Graphite_SpinVertGlyphs.bmp
Trans=1

[UpDown.Horz]
Image=Graphite_SpinHorz.bmp
GlyphImage=Graphite_SpinHorzGlyphs.bmp
Trans=1

[Trackbar.ThumbHorz]
Image=Graphite_ThumbHorz.bmp
Trans=1

[Trackbar.ThumbVert]
Image=Graphite_ThumbVert.bmp
Trans=1

[Trackbar.ThumbLeft]
Image=Graphite_ThumbLeft.bmp
Trans=1

[Trackbar.ThumbRight]
Image=Graphite_ThumbRight.bmp
Trans=1

[Trackbar.ThumbUp]
Image=Graphite_ThumbUp.bmp
Trans=1

[Trackbar.ThumbDown]
Image=Graphite_ThumbDown.bmp
Trans=1

[MenuItem]
Image=Graphite_MenuItem.bmp
LeftWidth=3
RightWidth=3
TopHeight=2
BottomHeight=2
Trans=1
Tile=0

[MenuBackground]
Image=Graphite_MenuFrame.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Trans=0
Tile=1

[MdiControls]
Image=Graphite_MDIButtons.bmp

[GroupBox]
Image=Graphite_GroupBoxTop.bmp
LeftWidth=4
RightWidth=4
TopHeight=0
BottomHeight=0
Trans=1
BackgroundAlignment=0
BackgroundLeftShift=2
BackgroundRightShift=2

[GroupBoxEdge]
Image=Graphite_Groupbox.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Trans=1
Tile=0

[Colours]
WindowText=230 232 235
Window=44 46 50
ButtonFace=58 61 66
ButtonText=224 226 230
ButtonHilight=96 100 106
Buttonlight=78 82 88
ButtonShadow=34 36 40
ButtonDkShadow=20 21 24
Scrollbar=44 46 50
Hilight=84 116 152
HilightText=255 255 255
Menu=48 51 56
Menubar=52 55 60
MenuText=220 222 226
MenuBarText=214 217 222
TitleTextActive=226 230 236
TitleTextNoActive=150 154 160
GrayText=120 124 130

[Colour0]
color=230 232 235
Name=Text

[Colour1]
color=112 150 192
Name=Accent

[Colour2]
color=34 36 40
Name=Well

[Customcolors]
Color0=58 61 66
Color1=84 116 152
Color2=112 150 192

[Fonts]
FontHeight=15
"""


def ini_bytes():
    """The description as CR LF text; the leading blank line is dropped."""
    return INI.lstrip("\n").replace("\n", "\r\n").encode("ascii")
