// What a Windows screen reader is given of one window, read through UI
// Automation as NVDA and Narrator read it: every element below the window,
// one line each, in the tree's order, as
//   CONTROL-TYPE <tab> NAME <tab> AUTOMATION-ID <tab> STATE
// in UTF-8, where STATE says, for an edit box its value, for a radio button
// whether it is selected, and for any element that has the keyboard "focus",
// or "?" where the UI Automation at hand does not answer (Wine 10 answers
// neither values nor selection). Ends with status 2 when no window has the
// caption given, and 3 when UI Automation cannot be had.
//   uia_tree.exe CAPTION
#include <windows.h>
// Before the UI Automation header, so that its class and interface ids are
// defined here: MinGW-w64 has no import library with them.
#include <initguid.h>
#include <ole2.h>
#include <uiautomation.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

namespace {

// The control types a window of ours can show, by their UI Automation ids.
constexpr struct {
  CONTROLTYPEID id;
  const char* name;
} controlTypes[] = {
    {UIA_ButtonControlTypeId, "Button"},
    {UIA_EditControlTypeId, "Edit"},
    {UIA_GroupControlTypeId, "Group"},
    {UIA_ImageControlTypeId, "Image"},
    {UIA_MenuBarControlTypeId, "MenuBar"},
    {UIA_MenuControlTypeId, "Menu"},
    {UIA_MenuItemControlTypeId, "MenuItem"},
    {UIA_PaneControlTypeId, "Pane"},
    {UIA_RadioButtonControlTypeId, "RadioButton"},
    {UIA_TextControlTypeId, "Text"},
    {UIA_TitleBarControlTypeId, "TitleBar"},
    {UIA_WindowControlTypeId, "Window"},
    {UIA_DocumentControlTypeId, "Document"},
    {UIA_ScrollBarControlTypeId, "ScrollBar"},
    {UIA_CustomControlTypeId, "Custom"},
};

std::string utf8(const wchar_t* text, int length = -1) {
  if (!text) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string bytes(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, bytes.data(), size, nullptr, nullptr);
  if (length < 0 && !bytes.empty()) bytes.pop_back();  // the terminating zero
  return bytes;
}

std::string controlTypeName(CONTROLTYPEID id) {
  for (const auto& type : controlTypes)
    if (type.id == id) return type.name;
  return std::to_string(id);
}

// A string property, or "" when the element has none.
std::string text(IUIAutomationElement* element, PROPERTYID property) {
  VARIANT value;
  VariantInit(&value);
  std::string result;
  if (SUCCEEDED(element->GetCurrentPropertyValueEx(property, FALSE, &value)) && value.vt == VT_BSTR)
    result = utf8(value.bstrVal, static_cast<int>(SysStringLen(value.bstrVal)));
  VariantClear(&value);
  return result;
}

// A yes-or-no property, or nothing when it is not answered.
const char* yesNo(IUIAutomationElement* element, PROPERTYID property) {
  VARIANT value;
  VariantInit(&value);
  const char* result = nullptr;
  if (SUCCEEDED(element->GetCurrentPropertyValueEx(property, FALSE, &value)) && value.vt == VT_BOOL)
    result = value.boolVal ? "yes" : "no";
  VariantClear(&value);
  return result;
}

std::string state(IUIAutomationElement* element, CONTROLTYPEID type) {
  std::string said;
  const auto add = [&said](const std::string& part) { said += (said.empty() ? "" : " ") + part; };
  if (type == UIA_EditControlTypeId) {
    IUIAutomationValuePattern* value = nullptr;
    BSTR current = nullptr;
    if (SUCCEEDED(element->GetCurrentPatternAs(UIA_ValuePatternId, IID_IUIAutomationValuePattern,
                                               reinterpret_cast<void**>(&value))) &&
        value && SUCCEEDED(value->get_CurrentValue(&current)))
      add("value=" + utf8(current, static_cast<int>(SysStringLen(current))));
    else
      add("value=?");
    SysFreeString(current);
    if (value) value->Release();
  }
  if (type == UIA_RadioButtonControlTypeId) {
    const char* selected = yesNo(element, UIA_SelectionItemIsSelectedPropertyId);
    add(std::string("selected=") + (selected ? selected : "?"));
  }
  const char* focused = yesNo(element, UIA_HasKeyboardFocusPropertyId);
  if (!focused)
    add("focus=?");
  else if (*focused == 'y')
    add("focus");
  return said;
}

// Tabs and line ends would break a line into fields: a name never has them,
// but should one, it shows as a space rather than as a broken table.
std::string oneField(std::string text) {
  for (char& c : text)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  return text;
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (count != 2) {
    std::fputs("usage: uia_tree.exe CAPTION\n", stderr);
    return 1;
  }
  HWND window = FindWindowW(nullptr, arguments[1]);
  if (!window) {
    std::fprintf(stderr, "no window has the caption \"%s\"\n", utf8(arguments[1]).c_str());
    return 2;
  }
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  IUIAutomation* automation = nullptr;
  IUIAutomationElement* root = nullptr;
  IUIAutomationCondition* all = nullptr;
  IUIAutomationElementArray* elements = nullptr;
  HRESULT result = CoCreateInstance(CLSID_CUIAutomation, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IUIAutomation, reinterpret_cast<void**>(&automation));
  if (SUCCEEDED(result)) result = automation->ElementFromHandle(window, &root);
  if (SUCCEEDED(result)) result = automation->CreateTrueCondition(&all);
  if (SUCCEEDED(result)) result = root->FindAll(TreeScope_Descendants, all, &elements);
  if (FAILED(result) || !elements) {
    std::fprintf(stderr, "UI Automation failed: 0x%08lx\n", static_cast<unsigned long>(result));
    return 3;
  }
  _setmode(_fileno(stdout), _O_BINARY);  // lines end in "\n" alone, as on Linux
  int length = 0;
  elements->get_Length(&length);
  for (int i = 0; i < length; ++i) {
    IUIAutomationElement* element = nullptr;
    if (FAILED(elements->GetElement(i, &element))) continue;
    CONTROLTYPEID type = 0;
    element->get_CurrentControlType(&type);
    const std::string line =
        controlTypeName(type) + "\t" + oneField(text(element, UIA_NamePropertyId)) + "\t" +
        text(element, UIA_AutomationIdPropertyId) + "\t" + state(element, type) + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    element->Release();
  }
  std::fflush(stdout);
  elements->Release();
  all->Release();
  root->Release();
  automation->Release();
  LocalFree(arguments);
  return 0;
}
