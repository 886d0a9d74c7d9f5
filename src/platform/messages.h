// Message numbers, notification codes, virtual keys, styles and the small structures that
// travel with messages.
//
// The numbers are the ones the engine's window code was written against, so that code can
// compare them as it always did; the structures are our own and smaller. Messages that carry
// text pass a `const std::string_view*` (text in) or a `std::string*` (text out) in lParam, in
// CP1252, instead of a caller's buffer, so no length can overflow.
#ifndef ORVALE_PLATFORM_MESSAGES_H
#define ORVALE_PLATFORM_MESSAGES_H

#include <cstdint>
#include <string_view>

namespace orv::platform {

// Window messages.
inline constexpr uint32_t WM_NULL = 0x0000;
inline constexpr uint32_t WM_CREATE = 0x0001;
inline constexpr uint32_t WM_DESTROY = 0x0002;
inline constexpr uint32_t WM_MOVE = 0x0003;
inline constexpr uint32_t WM_SIZE = 0x0005;
inline constexpr uint32_t WM_SETFOCUS = 0x0007;
inline constexpr uint32_t WM_KILLFOCUS = 0x0008;
inline constexpr uint32_t WM_ENABLE = 0x000A;
inline constexpr uint32_t WM_SETTEXT = 0x000C;
inline constexpr uint32_t WM_GETTEXT = 0x000D;
inline constexpr uint32_t WM_PAINT = 0x000F;
inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_QUIT = 0x0012;
inline constexpr uint32_t WM_SHOWWINDOW = 0x0018;
inline constexpr uint32_t WM_NOTIFY = 0x004E;
inline constexpr uint32_t WM_KEYDOWN = 0x0100;
inline constexpr uint32_t WM_KEYUP = 0x0101;
inline constexpr uint32_t WM_CHAR = 0x0102;
inline constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
inline constexpr uint32_t WM_SYSKEYUP = 0x0105;
inline constexpr uint32_t WM_SYSCHAR = 0x0106;
inline constexpr uint32_t WM_COMMAND = 0x0111;
inline constexpr uint32_t WM_TIMER = 0x0113;
inline constexpr uint32_t WM_HSCROLL = 0x0114;
inline constexpr uint32_t WM_VSCROLL = 0x0115;
inline constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
inline constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr uint32_t WM_VKEYTOITEM = 0x002E;
inline constexpr uint32_t WM_GETDLGCODE = 0x0087;
inline constexpr uint32_t WM_USER = 0x0400;
// Application messages (the engine's own, from 0x8000 on).
inline constexpr uint32_t WM_APP = 0x8000;

// Layer-private messages. kMsgItemPoint asks a control for the point (packed as lParam
// x | y << 16, in client pixels) of item wParam, scrolling it into view; -1 when it has none.
inline constexpr uint32_t kMsgItemPoint = 0x7F00;

// Answers to WM_GETDLGCODE: which keys a control keeps from dialog navigation.
inline constexpr uint32_t DLGC_WANTARROWS = 0x0001;
inline constexpr uint32_t DLGC_WANTALLKEYS = 0x0004;
inline constexpr uint32_t DLGC_WANTCHARS = 0x0080;
inline constexpr uint32_t DLGC_BUTTON = 0x2000;

// Edit control.
inline constexpr uint32_t EM_GETSEL = 0x00B0;
inline constexpr uint32_t EM_SETSEL = 0x00B1;
inline constexpr uint32_t EM_LIMITTEXT = 0x00C5;
inline constexpr uint32_t EM_SETREADONLY = 0x00CF;
inline constexpr uint32_t EN_SETFOCUS = 0x0100;
inline constexpr uint32_t EN_KILLFOCUS = 0x0200;
inline constexpr uint32_t EN_CHANGE = 0x0300;
inline constexpr uint32_t EN_MAXTEXT = 0x0501;

// Buttons.
inline constexpr uint32_t BM_GETCHECK = 0x00F0;
inline constexpr uint32_t BM_SETCHECK = 0x00F1;
inline constexpr uint32_t BM_SETIMAGE = 0x00F7;
inline constexpr uint32_t BN_CLICKED = 0;

// List box.
inline constexpr uint32_t LB_ADDSTRING = 0x0180;
inline constexpr uint32_t LB_RESETCONTENT = 0x0184;
inline constexpr uint32_t LB_SETCURSEL = 0x0186;
inline constexpr uint32_t LB_GETCURSEL = 0x0188;
inline constexpr uint32_t LB_GETTEXT = 0x0189;
inline constexpr uint32_t LB_GETCOUNT = 0x018B;
inline constexpr uint32_t LB_GETTOPINDEX = 0x018E;
inline constexpr uint32_t LB_GETCARETINDEX = 0x019F;
inline constexpr uint32_t LB_SETITEMHEIGHT = 0x01A0;
inline constexpr uint32_t LBN_SELCHANGE = 1;
inline constexpr uint32_t LBN_DBLCLK = 2;

// Combo box.
inline constexpr uint32_t CB_ADDSTRING = 0x0143;
inline constexpr uint32_t CB_GETCOUNT = 0x0146;
inline constexpr uint32_t CB_GETCURSEL = 0x0147;
inline constexpr uint32_t CB_GETLBTEXT = 0x0148;
inline constexpr uint32_t CB_RESETCONTENT = 0x014B;
inline constexpr uint32_t CB_SETCURSEL = 0x014E;
inline constexpr uint32_t CB_SHOWDROPDOWN = 0x014F;
inline constexpr uint32_t CB_GETDROPPEDSTATE = 0x0157;
inline constexpr uint32_t CBN_SELCHANGE = 1;
inline constexpr uint32_t CBN_DBLCLK = 2;
inline constexpr uint32_t CBN_DROPDOWN = 7;
inline constexpr uint32_t CBN_SELENDOK = 9;
inline constexpr uint32_t CBN_SELENDCANCEL = 10;

// Static image: lParam carries the image's file name (const std::string_view*).
inline constexpr uint32_t STM_SETIMAGE = 0x0172;

// Progress bar.
inline constexpr uint32_t PBM_SETRANGE32 = 0x0406;
inline constexpr uint32_t PBM_SETPOS = 0x0402;
inline constexpr uint32_t PBM_GETPOS = 0x0408;

// List view (grid). Items travel as a ListViewCell in lParam.
inline constexpr uint32_t LVM_GETITEMCOUNT = 0x1004;
inline constexpr uint32_t LVM_INSERTITEM = 0x1007;
inline constexpr uint32_t LVM_DELETEITEM = 0x1008;
inline constexpr uint32_t LVM_DELETEALLITEMS = 0x1009;
inline constexpr uint32_t LVM_GETNEXTITEM = 0x100C;
inline constexpr uint32_t LVM_ENSUREVISIBLE = 0x1013;
inline constexpr uint32_t LVM_INSERTCOLUMN = 0x101B;
inline constexpr uint32_t LVM_GETCOLUMNWIDTH = 0x101D;
inline constexpr uint32_t LVM_SETCOLUMNWIDTH = 0x101E;
inline constexpr uint32_t LVM_SETITEMSTATE = 0x102B;
inline constexpr uint32_t LVM_GETITEMTEXT = 0x102D;
inline constexpr uint32_t LVM_SETITEMTEXT = 0x102E;
inline constexpr uint32_t LVNI_SELECTED = 0x0002;
inline constexpr uint32_t LVIS_FOCUSED = 0x0001;
inline constexpr uint32_t LVIS_SELECTED = 0x0002;

// Notification codes of WM_NOTIFY.
inline constexpr int32_t NM_CLICK = -2;
inline constexpr int32_t NM_DBLCLK = -3;
inline constexpr int32_t NM_RETURN = -4;
inline constexpr int32_t NM_RCLICK = -5;
inline constexpr int32_t NM_SETFOCUS = -7;
inline constexpr int32_t NM_KILLFOCUS = -8;
inline constexpr int32_t LVN_ITEMCHANGED = -101;
inline constexpr int32_t LVN_KEYDOWN = -155;

// Scroll-bar codes (low word of wParam of WM_HSCROLL and WM_VSCROLL).
inline constexpr uint32_t SB_LINEUP = 0;
inline constexpr uint32_t SB_LINEDOWN = 1;
inline constexpr uint32_t SB_PAGEUP = 2;
inline constexpr uint32_t SB_PAGEDOWN = 3;
inline constexpr uint32_t SB_THUMBTRACK = 5;
inline constexpr uint32_t SB_TOP = 6;
inline constexpr uint32_t SB_BOTTOM = 7;

// Window styles.
inline constexpr uint32_t WS_POPUP = 0x80000000;
inline constexpr uint32_t WS_CHILD = 0x40000000;
inline constexpr uint32_t WS_VISIBLE = 0x10000000;
inline constexpr uint32_t WS_DISABLED = 0x08000000;
inline constexpr uint32_t WS_CAPTION = 0x00C00000;
inline constexpr uint32_t WS_VSCROLL = 0x00200000;
inline constexpr uint32_t WS_HSCROLL = 0x00100000;
inline constexpr uint32_t WS_TABSTOP = 0x00010000;
// Static.
inline constexpr uint32_t SS_RIGHT = 0x0002;
inline constexpr uint32_t SS_BITMAP = 0x000E;
inline constexpr uint32_t SS_TYPEMASK = 0x001F;
// Edit.
inline constexpr uint32_t ES_RIGHT = 0x0002;
inline constexpr uint32_t ES_MULTILINE = 0x0004;
inline constexpr uint32_t ES_PASSWORD = 0x0020;
inline constexpr uint32_t ES_AUTOHSCROLL = 0x0080;
inline constexpr uint32_t ES_READONLY = 0x0800;
// Button.
inline constexpr uint32_t BS_PUSHBUTTON = 0x0000;
inline constexpr uint32_t BS_DEFPUSHBUTTON = 0x0001;
inline constexpr uint32_t BS_CHECKBOX = 0x0002;
inline constexpr uint32_t BS_OWNERDRAW = 0x000B;
inline constexpr uint32_t BS_TYPEMASK = 0x000F;
inline constexpr uint32_t BS_BITMAP = 0x0080;
// List box.
inline constexpr uint32_t LBS_NOTIFY = 0x0001;
inline constexpr uint32_t LBS_WANTKEYBOARDINPUT = 0x0400;
// Combo box.
inline constexpr uint32_t CBS_SIMPLE = 0x0001;
inline constexpr uint32_t CBS_DROPDOWN = 0x0002;
inline constexpr uint32_t CBS_DROPDOWNLIST = 0x0003;

// Message boxes: buttons, icons and answers.
inline constexpr uint32_t MB_OK = 0x00;
inline constexpr uint32_t MB_OKCANCEL = 0x01;
inline constexpr uint32_t MB_ABORTRETRYIGNORE = 0x02;
inline constexpr uint32_t MB_YESNOCANCEL = 0x03;
inline constexpr uint32_t MB_YESNO = 0x04;
inline constexpr uint32_t MB_RETRYCANCEL = 0x05;
inline constexpr uint32_t MB_TYPEMASK = 0x0F;
inline constexpr uint32_t MB_ICONHAND = 0x10;
inline constexpr uint32_t MB_ICONQUESTION = 0x20;
inline constexpr uint32_t MB_ICONEXCLAMATION = 0x30;
inline constexpr uint32_t MB_ICONASTERISK = 0x40;
inline constexpr uint32_t MB_ICONMASK = 0xF0;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Pop-up menu flags.
inline constexpr uint32_t TPM_BOTTOMALIGN = 0x0020;
inline constexpr uint32_t TPM_RETURNCMD = 0x0100;

// Virtual keys.
inline constexpr uint16_t VK_BACK = 0x08;
inline constexpr uint16_t VK_TAB = 0x09;
inline constexpr uint16_t VK_RETURN = 0x0D;
inline constexpr uint16_t VK_SHIFT = 0x10;
inline constexpr uint16_t VK_CONTROL = 0x11;
inline constexpr uint16_t VK_MENU = 0x12;
inline constexpr uint16_t VK_ESCAPE = 0x1B;
inline constexpr uint16_t VK_SPACE = 0x20;
inline constexpr uint16_t VK_PRIOR = 0x21;
inline constexpr uint16_t VK_NEXT = 0x22;
inline constexpr uint16_t VK_END = 0x23;
inline constexpr uint16_t VK_HOME = 0x24;
inline constexpr uint16_t VK_LEFT = 0x25;
inline constexpr uint16_t VK_UP = 0x26;
inline constexpr uint16_t VK_RIGHT = 0x27;
inline constexpr uint16_t VK_DOWN = 0x28;
inline constexpr uint16_t VK_INSERT = 0x2D;
inline constexpr uint16_t VK_DELETE = 0x2E;
inline constexpr uint16_t VK_F1 = 0x70;  // VK_F1 + n - 1 is Fn, up to F24
inline constexpr uint16_t VK_F4 = 0x73;
inline constexpr uint16_t VK_F10 = 0x79;
inline constexpr uint16_t VK_OEM_4 = 0xDB;  // [
inline constexpr uint16_t VK_OEM_5 = 0xDC;  // backslash
inline constexpr uint16_t VK_OEM_6 = 0xDD;  // ]
// A character that has no key of its own (typed text, accented letters, punctuation).
inline constexpr uint16_t VK_PACKET = 0xE7;

// Modifier bits of a key press.
inline constexpr uint8_t kModShift = 1;
inline constexpr uint8_t kModCtrl = 2;
inline constexpr uint8_t kModAlt = 4;

// Packing helpers.
inline constexpr uintptr_t MakeWParam(uint32_t lo, uint32_t hi) {
  return (lo & 0xFFFF) | (uintptr_t(hi & 0xFFFF) << 16);
}
inline constexpr uint32_t LoWord(uintptr_t v) { return uint32_t(v & 0xFFFF); }
inline constexpr uint32_t HiWord(uintptr_t v) { return uint32_t((v >> 16) & 0xFFFF); }
inline constexpr intptr_t MakePoint(int x, int y) {
  return intptr_t((uint32_t(x) & 0xFFFF) | ((uint32_t(y) & 0xFFFF) << 16));
}
inline constexpr int PointX(intptr_t p) { return int16_t(p & 0xFFFF); }
inline constexpr int PointY(intptr_t p) { return int16_t((p >> 16) & 0xFFFF); }

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_MESSAGES_H
