// The drawing board's text box: StretchBase is an off-screen ARGB box placed
// relative to the record region, StretchText the text typed into it, drawn with
// GDI+ in its colour and size, with a blinking caret and a dash-dot-dot frame
// while editing. The box grows with the text and wraps at the region's right
// edge. Each box belongs to one text stroke of the canvas. UI thread only.
#pragma once

#include <windows.h>

#include <string>

// What a box reports of itself (GetState).
struct StretchState {
    POINT position = {0, 0};
    RECT limits = {0, 0, 0, 0};
    RECT frame = {0, 0, 0, 0};
    RECT content = {0, 0, 0, 0};
    bool visible = true;
    bool editing = false;
};

class StretchBase {
public:
    StretchBase() = default;
    virtual ~StretchBase();
    StretchBase(const StretchBase&) = delete;
    StretchBase& operator=(const StretchBase&) = delete;

    // Draws the content for a target area whose origin is (x, y) and whose
    // right and bottom limit the box.
    virtual void DrawContent(int x, int y, int right, int bottom, float scale) = 0;
    // DrawContent, then blends the box into hdc at position + (x, y).
    virtual void Paint(HDC hdc, int x, int y, int right, int bottom, float scale);
    // A (w + 4) x (h + 4) bitmap with a w x h content area in its middle; only
    // when none exists yet. false when GDI refuses.
    virtual bool Create(int width, int height);
    virtual void GetState(StretchState* state) const;

    void SetBoxRect(const RECT& rc) { m_rcBox = rc; }
    // Relative to the record region's top-left; limits (0, 0, width, height).
    void SetPosition(POINT position, const RECT& limits);
    void SetEditing(bool editing) { m_bEditing = editing; }
    bool IsEditing() const { return m_bEditing; }
    RECT ContentRect() const { return m_rcContent; }

protected:
    void ReleaseBitmap();

    RECT m_rcFrame = {0, 0, 0, 0};
    HDC m_hMemDC = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    bool m_bVisible = true;
    bool m_bEditing = false;
    POINT m_ptPosition = {0, 0};
    RECT m_rcLimits = {0, 0, 0, 0};
    RECT m_rcContent = {0, 0, 0, 0};
    RECT m_rcBitmap = {0, 0, 0, 0};
    RECT m_rcBox = {0, 0, 0, 0};
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
    BYTE* m_pBits = nullptr;
};

class StretchText : public StretchBase {
public:
    StretchText() = default;

    void DrawContent(int x, int y, int right, int bottom, float scale) override;

    // One typed character: backspace deletes before the caret, escape ends
    // editing, tab is ignored, carriage return also inserts a line feed.
    void InsertChar(wchar_t ch);
    // delta −1 (VK_LEFT) or +1 (VK_RIGHT), kept within the text.
    void MoveCaret(int delta);
    void ToggleCaret() { m_bCaretShown = !m_bCaretShown; }

    void SetFontSize(int size) { m_nFontSize = size; }
    void SetColor(DWORD argb) { m_dwColor = argb; }
    std::wstring GetText() const { return m_text; }
    size_t CaretIndex() const { return m_nCaret; }
    // Once the text has wrapped at the region's right edge, the box keeps the
    // width up to that edge.
    bool HasWrapped() const { return m_bWrapped; }

private:
    std::wstring m_text;
    int m_nFontSize = 28;
    std::wstring m_fontFamily = L"微软雅黑";
    DWORD m_dwColor = 0xFFFF0000;
    size_t m_nCaret = 0;
    int m_nCaretX = 0;
    int m_nCaretY = 0;
    bool m_bCaretShown = false;
    bool m_bWrapped = false;
};
