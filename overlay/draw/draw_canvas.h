// DrawCanvas: the drawing board's off-screen canvas. It keeps the strokes,
// paints them into a 32-bit premultiplied buffer of the board's size (and, while
// the white board is shown, into a white buffer of the record region's size
// laid over it) and pushes the result to the board window with
// UpdateLayeredWindow, so whatever is drawn becomes part of the recorded
// screen. Empty pixels carry alpha 1: the board still takes the mouse there.
// UI thread only.
//
//   canvas.SetClip(regionInBoardClient...);  canvas.Create(hwnd, w, h);  canvas.Attach(hwnd);
//   canvas.BeginStroke(x, y); canvas.AddPoint(...); canvas.EndStroke(x, y);
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "overlay/draw/draw_geometry.h"
#include "overlay/draw/stretch_text.h"

// One drawn item.
struct DrawStroke {
    int width = 5;
    DWORD color = 0xFF000000;  // alpha always 255
    int tool = kToolPen;
    int textSize = 32;
    std::unique_ptr<StretchText> text;  // the text stroke's box
    std::vector<POINT> points;          // board client pixels
    bool whiteBoard = false;            // drawn while the white board was shown
};

class DrawCanvas {
public:
    DrawCanvas() = default;
    ~DrawCanvas() { Release(); }
    DrawCanvas(const DrawCanvas&) = delete;
    DrawCanvas& operator=(const DrawCanvas&) = delete;

    // Forgets every stroke; buffers of width x height and of the clip size (those
    // it has when the sizes are the same). false when GDI refuses (drawing then
    // has no effect).
    bool Create(HWND window, int width, int height);
    // Frees the buffers and every stroke.
    void Release();
    // The record region in board client pixels: where the white board lies.
    void SetClip(int left, int top, int right, int bottom);
    // Keeps the window and repaints.
    void Attach(HWND window);

    void SetTool(int tool) { m_nTool = tool; }
    void SetWidth(int width) { m_nWidth = width; }
    void SetTextSize(int size) { m_nTextSize = size; }
    void SetColor(DWORD argb) { m_dwColor = argb; }
    // The box being typed into; the next text stroke takes it.
    void SetActiveText(StretchText* box) { m_pActiveText = box; }
    StretchText* ActiveText() const { return m_pActiveText; }
    // Told when a stroke that owns the active box is deleted (undo, clear, the
    // white board turned off): the box is gone and the canvas has forgotten it.
    void SetActiveTextGone(std::function<void()> gone) { m_activeTextGone = std::move(gone); }

    void BeginStroke(int x, int y);
    void AddPoint(int x, int y);
    void EndStroke(int x, int y);
    // Without the white board every stroke goes, with it only those drawn on it.
    void ClearAll();
    // Turning it off deletes what was drawn on it.
    void SetWhiteBoard(bool on);
    bool IsWhiteBoard() const { return m_bWhiteBoard; }
    void RemoveLast();
    // Deletes the stroke that owns this box (an empty text that was never typed).
    void RemoveStrokeOf(const StretchText* box);
    void Undo();
    void Repaint();

    const std::vector<std::unique_ptr<DrawStroke>>& Strokes() const { return m_strokes; }
    // The composed board picture (premultiplied BGRA, top-down), null before Create.
    const DWORD* Pixels() const { return reinterpret_cast<const DWORD*>(m_pMainBits); }
    int Width() const { return m_nBoardWidth; }
    int Height() const { return m_nBoardHeight; }

private:
    void DrawStrokeOn(void* graphics, HDC dc, const DrawStroke& stroke, POINT offset, const RECT& bounds);
    void DeleteStrokesIf(const std::function<bool(const DrawStroke&)>& doomed);
    void ForgetBoxOf(const DrawStroke& stroke);
    void Push();

    int m_nBoardWidth = 0;
    int m_nBoardHeight = 0;
    HBITMAP m_hMainDib = nullptr;
    BYTE* m_pMainBits = nullptr;
    HBITMAP m_hWhiteDib = nullptr;
    BYTE* m_pWhiteBits = nullptr;
    HDC m_hMainDC = nullptr;
    HDC m_hWhiteDC = nullptr;
    HGDIOBJ m_hOldMain = nullptr;
    HGDIOBJ m_hOldWhite = nullptr;
    bool m_bWhiteBoard = false;
    RECT m_rcClip = {0, 0, 0, 0};
    int m_nClipWidth = 0;
    int m_nClipHeight = 0;
    SIZE m_whiteSize = {0, 0};  // the clip size the white buffer was made for
    int m_nTool = kToolPen;
    std::vector<std::unique_ptr<DrawStroke>> m_strokes;
    HWND m_hWnd = nullptr;
    DrawStroke* m_pCurrent = nullptr;
    int m_nWidth = 5;
    int m_nTextSize = 32;
    DWORD m_dwColor = 0xFFFF0000;
    StretchText* m_pActiveText = nullptr;
    std::function<void()> m_activeTextGone;
};
