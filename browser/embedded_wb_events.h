// Event types of the browser host control: each receives the arguments of the
// site method it takes over (see the control's interface table).
#pragma once

#include "framework/ui/win32.h"

#include <docobj.h>
#include <mshtmhst.h>
#include <ocidl.h>
#include <servprov.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/core/event.h"

class TObject;

using TRefreshEvent = TEvent<void(TObject* Sender, int32_t CmdID, bool& Cancel)>;
using TScriptErrorEvent =
    TEvent<void(TObject* Sender, const std::wstring& ErrorLine, const std::wstring& ErrorCharacter,
                const std::wstring& ErrorCode, const std::wstring& ErrorMessage,
                const std::wstring& ErrorUrl, bool& ContinueScript, bool& Showdialog)>;
using TUnloadEvent = TEvent<void(TObject* Sender)>;
using TGetOverrideKeyPathEvent = TEvent<HRESULT(LPOLESTR pchKey, DWORD dw)>;
using TShowContextMenuEvent =
    TEvent<HRESULT(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved, IDispatch* pdispReserved)>;
using TGetHostInfoEvent = TEvent<HRESULT(DOCHOSTUIINFO* pInfo)>;
using TShowUIEvent = TEvent<HRESULT(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                                    IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                                    IOleInPlaceUIWindow* pDoc)>;
using THideUIEvent = TEvent<HRESULT()>;
using TUpdateUIEvent = TEvent<HRESULT()>;
using TEnableModelessEvent = TEvent<HRESULT(BOOL fEnable)>;
using TOnDocWindowActivateEvent = TEvent<HRESULT(BOOL fActivate)>;
using TOnFrameWindowActivateEvent = TEvent<HRESULT(BOOL fActivate)>;
using TResizeBorderEvent =
    TEvent<HRESULT(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow, BOOL fRameWindow)>;
using TTranslateAcceleratorEvent =
    TEvent<HRESULT(LPMSG lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID)>;
using TGetOptionKeyPathEvent = TEvent<HRESULT(LPOLESTR& pchKey, DWORD dw)>;
using TGetDropTargetEvent = TEvent<HRESULT(IDropTarget* pDropTarget, IDropTarget*& ppDropTarget)>;
using TGetExternalEvent = TEvent<HRESULT(IDispatch*& ppDispatch)>;
using TTranslateUrlEvent =
    TEvent<HRESULT(DWORD dwTranslate, LPOLESTR pchURLIn, LPOLESTR& ppchURLOut)>;
using TFilterDataObjectEvent = TEvent<HRESULT(IDataObject* pDO, IDataObject*& ppDORet)>;
using TShowMessageEvent =
    TEvent<HRESULT(HWND hwnd, LPOLESTR lpstrText, LPOLESTR lpstrCaption, int32_t dwType,
                   LPOLESTR lpstrHelpFile, int32_t dwHelpContext, int32_t& plResult)>;
using TShowHelpEvent =
    TEvent<HRESULT(HWND hwnd, LPOLESTR pszHelpFile, int32_t uCommand, int32_t dwData, POINT ptMouse,
                   IDispatch*& pDispatchObjectHit)>;
using TGetTypeInfoCountEvent = TEvent<HRESULT(int32_t& Count)>;
using TGetTypeInfoEvent = TEvent<HRESULT(int32_t Index, int32_t LocaleID, ITypeInfo*& TypeInfo)>;
using TGetIDsOfNamesEvent = TEvent<HRESULT(const GUID& IID, LPOLESTR* Names, int32_t NameCount,
                                           int32_t LocaleID, DISPID* DispIDs)>;
using TInvokeEvent =
    TEvent<HRESULT(int32_t DispID, const GUID& IID, int32_t LocaleID, WORD Flags,
                   DISPPARAMS& Params, VARIANT* VarResult, EXCEPINFO* ExcepInfo, UINT* ArgErr)>;
using TQueryServiceEvent = TEvent<HRESULT(const GUID& rsid, const GUID& iid, IUnknown*& Obj)>;
using TWBCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;
using TShowDialogEvent = TEvent<void(TObject* Sender, HWND h)>;
