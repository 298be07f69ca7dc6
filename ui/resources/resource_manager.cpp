#include "ui/resources/resource_manager.h"

#include <vector>

#include <tinyxml2.h>

#include "common/logger.h"
#include "common/text_convert.h"
#include "ui/core/paint_manager.h"
#include "ui/resources/skin_source.h"

namespace DuiLib {

CResourceManager* CResourceManager::GetInstance() {
    static CResourceManager manager;
    return &manager;
}

void CResourceManager::Release() {
    ResetResourceMap();
    CPaintManagerUI::RemoveAllSharedImages();
    CSkinSource::Get().Release();
}

void CResourceManager::ResetResourceMap() {
    m_xml.clear();
    m_images.clear();
}

bool CResourceManager::LoadResource(LPCTSTR xmlFile, LPCTSTR) {
    std::vector<unsigned char> bytes;
    std::string name = WideToUtf8(xmlFile ? xmlFile : L"");
    if (!CSkinSource::Get().ReadFile(xmlFile ? xmlFile : L"", bytes)) {
        LogBoth("CResourceManager::LoadResource", "%s not found error", name.c_str());
        return false;
    }
    tinyxml2::XMLDocument doc;
    if (doc.Parse(reinterpret_cast<const char*>(bytes.data()), bytes.size()) != tinyxml2::XML_SUCCESS ||
        !doc.RootElement()) {
        LogBoth("CResourceManager::LoadResource", "%s is not valid XML (%s) error", name.c_str(), doc.ErrorStr());
        return false;
    }
    for (auto* section = doc.RootElement()->FirstChildElement(); section; section = section->NextSiblingElement()) {
        bool isImage = _stricmp(section->Name(), "Image") == 0;
        for (auto* item = section->FirstChildElement(); item; item = item->NextSiblingElement()) {
            const char* id = item->Attribute("id");
            const char* path = item->Attribute("path");
            if (!id || !path) continue;
            (isImage ? m_images : m_xml)[CDuiString(Utf8ToWide(id))] = CDuiString(Utf8ToWide(path));
        }
    }
    return true;
}

LPCTSTR CResourceManager::GetXmlPath(LPCTSTR id) const {
    auto it = id ? m_xml.find(CDuiString(id)) : m_xml.end();
    return it == m_xml.end() ? nullptr : it->second.GetData();
}

LPCTSTR CResourceManager::GetImagePath(LPCTSTR id) const {
    auto it = id ? m_images.find(CDuiString(id)) : m_images.end();
    return it == m_images.end() ? nullptr : it->second.GetData();
}

}  // namespace DuiLib
