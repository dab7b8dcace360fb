// The least a program that greets its user with a message box can do: one
// MessageBoxW and nothing else. The start-up benchmark measures pelmora.exe
// against it, so what is left over is our own start-up, not Wine's. It
// shows the same Chinese notice, since finding a font for those glyphs is
// part of any box's cost, not ours.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  MessageBoxW(nullptr,
              L"\u4f60\u9700\u8981\u5b89\u88c5wps2019\u7248\u4ee5\u4e0a\uff0c\u5e76\u4e14MathType"
              L"\u9700\u8981\u662f\u4f1a\u5458\u6fc0\u6d3b\u72b6\u6001\uff0c\u5426\u5219\u5d4c"
              L"\u5165\u540e\u9762\u677f\u4e3a\u7070\u8272\u5c06\u4e0d\u53ef\u7528",
              L"\u5d4c\u5165\u524d\u51c6\u5907\uff01", MB_OK | MB_TASKMODAL);
  return 0;
}
