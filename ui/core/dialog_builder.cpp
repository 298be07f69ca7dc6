#include "ui/core/dialog_builder.h"

#include <cstring>
#include <vector>

#include <tinyxml2.h>

#include "common/logger.h"
#include "common/text_convert.h"
#include "ui/controls/button.h"
#include "ui/controls/combo.h"
#include "ui/controls/container.h"
#include "ui/controls/edit.h"
#include "ui/controls/label.h"
#include "ui/controls/layouts.h"
#include "ui/controls/list.h"
#include "ui/controls/slider.h"
#include "ui/core/paint_manager.h"
#include "ui/menu/menu.h"
#include "ui/resources/resource_manager.h"
#include "ui/resources/skin_source.h"

namespace DuiLib {

namespace {

CDuiString Wide(const char* utf8) { return CDuiString(Utf8ToWide(utf8 ? utf8 : "")); }

bool IsResourceTag(const char* name) {
    return strcmp(name, "Font") == 0 || strcmp(name, "Default") == 0 || strcmp(name, "Style") == 0 ||
           strcmp(name, "Image") == 0;
}

}  // namespace

CControlUI* CDialogBuilder::CreateBuiltinControl(LPCTSTR tag) {
    struct Entry {
        LPCTSTR tag;
        CControlUI* (*make)();
    };
    static const Entry kControls[] = {
        {L"Control", [] { return static_cast<CControlUI*>(new CControlUI); }},
        {L"Container", [] { return static_cast<CControlUI*>(new CContainerUI); }},
        {L"VerticalLayout", [] { return static_cast<CControlUI*>(new CVerticalLayoutUI); }},
        {L"HorizontalLayout", [] { return static_cast<CControlUI*>(new CHorizontalLayoutUI); }},
        {L"TabLayout", [] { return static_cast<CControlUI*>(new CTabLayoutUI); }},
        {L"Label", [] { return static_cast<CControlUI*>(new CLabelUI); }},
        {L"Text", [] { return static_cast<CControlUI*>(new CTextUI); }},
        {L"Button", [] { return static_cast<CControlUI*>(new CButtonUI); }},
        {L"Option", [] { return static_cast<CControlUI*>(new COptionUI); }},
        {L"CheckBox", [] { return static_cast<CControlUI*>(new CCheckBoxUI); }},
        {L"Edit", [] { return static_cast<CControlUI*>(new CEditUI); }},
        {L"RichEdit", [] { return static_cast<CControlUI*>(new CRichEditUI); }},
        {L"Slider", [] { return static_cast<CControlUI*>(new CSliderUI); }},
        {L"Combo", [] { return static_cast<CControlUI*>(new CComboUI); }},
        {L"List", [] { return static_cast<CControlUI*>(new CListUI); }},
        {L"ListHeader", [] { return static_cast<CControlUI*>(new CListHeaderUI); }},
        {L"ListHeaderItem", [] { return static_cast<CControlUI*>(new CListHeaderItemUI); }},
        {L"ListLabelElement", [] { return static_cast<CControlUI*>(new CListLabelElementUI); }},
        {L"ListTextElement", [] { return static_cast<CControlUI*>(new CListTextElementUI); }},
        {L"ListContainerElement", [] { return static_cast<CControlUI*>(new CListContainerElementUI); }},
        {L"Menu", [] { return static_cast<CControlUI*>(new CMenuUI); }},
        {L"MenuElement", [] { return static_cast<CControlUI*>(new CMenuElementUI); }},
    };
    for (const Entry& e : kControls)
        if (wcscmp(tag, e.tag) == 0) return e.make();
    return nullptr;
}

void CDialogBuilder::Fail(const char* what, LPCTSTR xml) {
    std::string name = WideToUtf8(xml ? xml : L"");
    m_lastError.Format(L"%hs: %hs", what, name.c_str());
    LogBoth("CDialogBuilder::Create", "%s %s error", name.c_str(), what);
}

CControlUI* CDialogBuilder::Create(LPCTSTR xml, LPCTSTR, IDialogBuilderCallback* pCallback, CPaintManagerUI* pManager,
                                   CControlUI* pParent) {
    m_lastError.Empty();
    m_pCallback = pCallback;
    m_pManager = pManager;
    if (!xml || !*xml) {
        Fail("no layout named", L"");
        return nullptr;
    }
    std::string text;
    if (xml[0] == L'<') {
        text = WideToUtf8(xml);
        m_xmlName = L"(inline layout)";
    } else {
        LPCTSTR mapped = CResourceManager::GetInstance()->GetXmlPath(xml);
        m_xmlName = mapped ? mapped : xml;
        std::vector<unsigned char> bytes;
        if (!CSkinSource::Get().ReadFile(m_xmlName.Str(), bytes)) {
            Fail("layout not found", m_xmlName);
            return nullptr;
        }
        text.assign(bytes.begin(), bytes.end());
    }
    tinyxml2::XMLDocument doc;
    if (doc.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS || !doc.RootElement()) {
        Fail(doc.ErrorStr() ? doc.ErrorStr() : "not XML", m_xmlName);
        return nullptr;
    }
    tinyxml2::XMLElement* root = doc.RootElement();
    CControlUI* first = nullptr;
    if (strcmp(root->Name(), "Window") == 0) {
        if (pManager) {
            if (!pManager->GetRoot() && m_depth == 0) ApplyWindowAttributes(root, pManager);
            ApplyResourceTags(root, pManager);
        }
        first = ParseChildren(root, pParent);
    } else {
        first = ParseElement(root, pParent);
    }
    if (!first && m_lastError.IsEmpty()) Fail("holds no control", m_xmlName);
    return first;
}

void CDialogBuilder::ApplyWindowAttributes(tinyxml2::XMLElement* window, CPaintManagerUI* pm) {
    for (const tinyxml2::XMLAttribute* a = window->FirstAttribute(); a; a = a->Next()) {
        const char* name = a->Name();
        CDuiString value = Wide(a->Value());
        if (strcmp(name, "size") == 0) {
            SIZE s = ParseSize(value);
            pm->SetInitSize(s.cx, s.cy);
        } else if (strcmp(name, "mininfo") == 0) {
            SIZE s = ParseSize(value);
            pm->SetMinInfo(s.cx, s.cy);
        } else if (strcmp(name, "maxinfo") == 0) {
            SIZE s = ParseSize(value);
            pm->SetMaxInfo(s.cx, s.cy);
        } else if (strcmp(name, "caption") == 0)
            pm->SetCaptionRect(ParseRect(value));
        else if (strcmp(name, "sizebox") == 0)
            pm->SetSizeBox(ParseRect(value));
        else if (strcmp(name, "roundcorner") == 0) {
            SIZE s = ParseSize(value);
            pm->SetRoundCorner(s.cx, s.cy);
        } else if (strcmp(name, "bktrans") == 0 || strcmp(name, "layered") == 0) {
            if (ParseBool(value)) pm->SetLayered(true);
        } else if (strcmp(name, "opacity") == 0 || strcmp(name, "layeredopacity") == 0) {
            pm->SetLayeredOpacity(static_cast<BYTE>(ParseInt(value)));
        } else if (strcmp(name, "defaultfontcolor") == 0)
            pm->SetDefaultFontColor(ParseColor(value));
        else if (strcmp(name, "disabledfontcolor") == 0)
            pm->SetDefaultDisabledColor(ParseColor(value));
        else if (strcmp(name, "selectedcolor") == 0)
            pm->SetDefaultSelectedBkColor(ParseColor(value));
    }
}

void CDialogBuilder::ApplyResourceTags(tinyxml2::XMLElement* window, CPaintManagerUI* pm) {
    for (auto* e = window->FirstChildElement(); e; e = e->NextSiblingElement()) {
        if (strcmp(e->Name(), "Font") == 0) {
            CDuiString face = Wide(e->Attribute("name"));
            int size = e->IntAttribute("size", 12);
            bool bold = e->BoolAttribute("bold"), underline = e->BoolAttribute("underline"),
                 italic = e->BoolAttribute("italic");
            pm->AddFont(e->IntAttribute("id", -1), face, size, bold, underline, italic);
            if (e->BoolAttribute("default")) pm->SetDefaultFont(face, size, bold, underline, italic);
        } else if (strcmp(e->Name(), "Default") == 0) {
            pm->AddDefaultAttributeList(Wide(e->Attribute("name")), Wide(e->Attribute("value")));
        } else if (strcmp(e->Name(), "Style") == 0) {
            pm->AddStyle(Wide(e->Attribute("name")), Wide(e->Attribute("value")));
        }
    }
}

CControlUI* CDialogBuilder::ParseChildren(tinyxml2::XMLElement* node, CControlUI* parent) {
    CControlUI* first = nullptr;
    for (auto* e = node->FirstChildElement(); e; e = e->NextSiblingElement()) {
        if (IsResourceTag(e->Name())) continue;
        CControlUI* control = ParseElement(e, parent);
        if (!first) first = control;
    }
    return first;
}

CControlUI* CDialogBuilder::ParseElement(tinyxml2::XMLElement* e, CControlUI* parent) {
    CDuiString tag = Wide(e->Name());
    if (tag == L"Include") {
        if (++m_depth > 16) {
            Fail("includes itself", m_xmlName);
            --m_depth;
            return nullptr;
        }
        CControlUI* first = nullptr;
        int count = e->IntAttribute("count", 1);
        for (int i = 0; i < count; ++i) {
            CDialogBuilder nested;
            nested.m_depth = m_depth;
            CControlUI* built = nested.Create(Wide(e->Attribute("source")), nullptr, m_pCallback, m_pManager, parent);
            if (!first) first = built;
        }
        --m_depth;
        return first;
    }
    CControlUI* control = CreateBuiltinControl(tag);
    if (!control && m_pCallback) control = m_pCallback->CreateControl(tag);
    if (!control) {
        LogBoth("CDialogBuilder::Create", "%s: unknown control tag %s error", WideToUtf8(m_xmlName.Str()).c_str(),
                e->Name());
        return nullptr;
    }
    // The manager comes first (without init) so styles and fonts resolve.
    if (m_pManager) {
        control->SetManager(m_pManager, nullptr, false);
        if (LPCTSTR defaults = m_pManager->GetDefaultAttributeList(tag)) control->ApplyAttributeList(defaults);
    }
    for (const tinyxml2::XMLAttribute* a = e->FirstAttribute(); a; a = a->Next())
        control->SetAttribute(Wide(a->Name()), Wide(a->Value()));
    if (e->FirstChildElement()) ParseChildren(e, control);
    if (parent && !AddToParent(control, parent, tag)) {
        delete control;
        return nullptr;
    }
    return control;
}

bool CDialogBuilder::AddToParent(CControlUI* control, CControlUI* parent, LPCTSTR tag) {
    auto* container = static_cast<CContainerUI*>(parent->GetInterface(L"IContainer"));
    if (container && container->Add(control)) return true;
    LogBoth("CDialogBuilder::Create", "%s: %s cannot hold %s error", WideToUtf8(m_xmlName.Str()).c_str(),
            WideToUtf8(parent->GetClass()).c_str(), WideToUtf8(tag).c_str());
    return false;
}

}  // namespace DuiLib
