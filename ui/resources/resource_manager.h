// CResourceManager: the skin's list of layout and image ids ("res.xml"), so a
// window can name its layout "XML_MAIN" instead of "main.xml".
//
//   <Res>
//     <Xml>  <Item id="XML_MAIN" path="main.xml"/> </Xml>
//     <Image><Item id="IMG_LOGO" path="common/logo.png"/></Image>
//   </Res>
#pragma once

#include <map>

#include "ui/base/dui_string.h"

namespace DuiLib {

class CResourceManager {
public:
    static CResourceManager* GetInstance();
    // Frees the id tables, the shared image cache and the skin ZIP (program exit).
    void Release();

    // Reads the id list from a skin file. false (and logged) when it is missing
    // or not XML; ids already known stay.
    bool LoadResource(LPCTSTR xmlFile, LPCTSTR type = nullptr);
    // The file of a layout id, or null when the id is unknown.
    LPCTSTR GetXmlPath(LPCTSTR id) const;
    LPCTSTR GetImagePath(LPCTSTR id) const;
    void ResetResourceMap();

private:
    CResourceManager() = default;
    std::map<CDuiString, CDuiString> m_xml;
    std::map<CDuiString, CDuiString> m_images;
};

}  // namespace DuiLib
