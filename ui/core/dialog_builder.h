// CDialogBuilder: builds a control tree from a layout file (UTF-8 XML) of the
// skin. The root tag Window carries the window's attributes (size, mininfo,
// maxinfo, caption, sizebox, roundcorner, bktrans, layered, opacity,
// defaultfontcolor, disabledfontcolor) and holds Font, Default and Style tags
// before its one root control. Tags the library does not know are handed to
// the callback's CreateControl; Include source="x.xml" builds another file in
// place.
#pragma once

#include "ui/base/ui_defs.h"

namespace tinyxml2 {
class XMLElement;
}

namespace DuiLib {

class CDialogBuilder {
public:
    // xml: a layout file name, a layout id of res.xml ("XML_MAIN"), or XML text
    // itself (starting with '<'). With pParent (a container) the built controls
    // are added to it. Returns the first control built, or null (logged) when the
    // layout is missing, is not XML or holds no control.
    CControlUI* Create(LPCTSTR xml, LPCTSTR type = nullptr, IDialogBuilderCallback* pCallback = nullptr,
                       CPaintManagerUI* pManager = nullptr, CControlUI* pParent = nullptr);
    // Why the last Create failed.
    const CDuiString& GetLastErrorMessage() const { return m_lastError; }

    // A new control for a layout tag of the library, or null.
    static CControlUI* CreateBuiltinControl(LPCTSTR tag);

private:
    void ApplyWindowAttributes(tinyxml2::XMLElement* window, CPaintManagerUI* manager);
    void ApplyResourceTags(tinyxml2::XMLElement* window, CPaintManagerUI* manager);
    CControlUI* ParseChildren(tinyxml2::XMLElement* node, CControlUI* parent);
    CControlUI* ParseElement(tinyxml2::XMLElement* element, CControlUI* parent);
    bool AddToParent(CControlUI* control, CControlUI* parent, LPCTSTR tag);
    void Fail(const char* what, LPCTSTR xml);

    IDialogBuilderCallback* m_pCallback = nullptr;
    CPaintManagerUI* m_pManager = nullptr;
    CDuiString m_xmlName;
    CDuiString m_lastError;
    int m_depth = 0;
};

}  // namespace DuiLib
