#include "ui/resources/zip_archive.h"

#include <windows.h>

#include <cstring>
#include <cwctype>

#include <unzip.h>

#include "common/logger.h"
#include "common/text_convert.h"

namespace DuiLib {

namespace {

// minizip reads through these callbacks; the stream is our Memory block.
voidpf ZCALLBACK MemOpen(voidpf opaque, const void*, int) { return opaque; }

uLong ZCALLBACK MemRead(voidpf, voidpf stream, void* buf, uLong size) {
    auto* m = static_cast<ZipMemory*>(stream);
    size_t left = m->bytes.size() - m->pos;
    size_t n = size < left ? size : left;
    memcpy(buf, m->bytes.data() + m->pos, n);
    m->pos += n;
    return static_cast<uLong>(n);
}

uLong ZCALLBACK MemWrite(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK MemTell(voidpf, voidpf stream) { return static_cast<ZipMemory*>(stream)->pos; }

long ZCALLBACK MemSeek(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto* m = static_cast<ZipMemory*>(stream);
    ZPOS64_T base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        base = m->pos;
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        base = m->bytes.size();
    else if (origin != ZLIB_FILEFUNC_SEEK_SET)
        return -1;
    ZPOS64_T target = base + offset;
    if (target > m->bytes.size()) return -1;
    m->pos = static_cast<size_t>(target);
    return 0;
}

int ZCALLBACK MemClose(voidpf, voidpf) { return 0; }
int ZCALLBACK MemError(voidpf, voidpf) { return 0; }

}  // namespace

std::wstring NormalizeArchiveName(const std::wstring& name) {
    std::wstring out = name;
    for (auto& ch : out)
        if (ch == L'\\') ch = L'/';
    while (out.compare(0, 2, L"./") == 0) out.erase(0, 2);
    while (!out.empty() && out[0] == L'/') out.erase(0, 1);
    return out;
}

CZipArchive::~CZipArchive() { Close(); }

bool CZipArchive::Open(const void* data, size_t size, const char* password) {
    Close();
    if (!data || size == 0) return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    m_memory.bytes.assign(bytes, bytes + size);
    m_memory.pos = 0;
    zlib_filefunc64_def funcs = {};
    funcs.zopen64_file = MemOpen;
    funcs.zread_file = MemRead;
    funcs.zwrite_file = MemWrite;
    funcs.ztell64_file = MemTell;
    funcs.zseek64_file = MemSeek;
    funcs.zclose_file = MemClose;
    funcs.zerror_file = MemError;
    funcs.opaque = &m_memory;
    m_unz = unzOpen2_64("skin.zip", &funcs);
    if (!m_unz) {
        LogBoth("CZipArchive::Open", "unzOpen2_64 error: %u bytes are not a ZIP archive", static_cast<unsigned>(size));
        m_memory.bytes.clear();
        return false;
    }
    m_password = password ? password : "";
    return true;
}

void CZipArchive::Close() {
    if (m_unz) unzClose(m_unz);
    m_unz = nullptr;
    m_memory.bytes.clear();
    m_memory.pos = 0;
}

bool CZipArchive::Read(const std::wstring& name, std::vector<unsigned char>& out) {
    out.clear();
    if (!m_unz) return false;
    std::wstring wanted = NormalizeArchiveName(name);
    int rc = unzGoToFirstFile(m_unz);
    while (rc == UNZ_OK) {
        char entry[MAX_PATH * 3] = {};
        unz_file_info64 info = {};
        if (unzGetCurrentFileInfo64(m_unz, &info, entry, sizeof(entry) - 1, nullptr, 0, nullptr, 0) != UNZ_OK) break;
        // Entry names are UTF-8 when the archiver says so (bit 11), else CP437/ANSI.
        std::wstring entryName = (info.flag & (1 << 11)) ? Utf8ToWide(entry) : AnsiToWide(entry);
        if (entryName.empty()) entryName = Utf8ToWide(entry);
        if (_wcsicmp(NormalizeArchiveName(entryName).c_str(), wanted.c_str()) == 0) {
            int opened =
                m_password.empty() ? unzOpenCurrentFile(m_unz) : unzOpenCurrentFilePassword(m_unz, m_password.c_str());
            if (opened != UNZ_OK) return false;
            out.resize(static_cast<size_t>(info.uncompressed_size));
            int got = out.empty() ? 0 : unzReadCurrentFile(m_unz, out.data(), static_cast<unsigned>(out.size()));
            int closed = unzCloseCurrentFile(m_unz);
            if (got != static_cast<int>(out.size()) || closed != UNZ_OK) {
                LogBoth("CZipArchive::Read", "unzReadCurrentFile error: %s", entry);
                out.clear();
                return false;
            }
            return true;
        }
        rc = unzGoToNextFile(m_unz);
    }
    return false;
}

}  // namespace DuiLib
