// The main window of a running pelkocfg-sim.exe seen from outside its process: real pointer
// input at the controls' places from app/window_layout.h, the window's pixels as the screen
// shows them, and waits on what another process lets us observe (the mouse capture of its
// thread, its visible windows, its pixels).
#pragma once

#include "tests/support/program_process.h"

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Polls `done` every 20 ms until it holds or the time runs out; returns done().
bool waitFor(const std::function<bool()>& done, DWORD timeoutMilliseconds);

// Pixels of a screen rectangle, row by row from the top (0x00RRGGBB).
class Shot {
  public:
    Shot() = default;
    Shot(int width, int height, std::vector<uint32_t> pixels)
        : m_width(width), m_height(height), m_pixels(std::move(pixels)) {}

    bool empty() const { return m_pixels.empty(); }
    int width() const { return m_width; }
    // The pixel at a point of the shot (0x00RRGGBB).
    uint32_t at(int x, int y) const { return m_pixels[size_t(y) * size_t(m_width) + size_t(x)]; }
    // The part of the shot inside `area` (in the shot's own coordinates).
    Shot part(const RECT& area) const;
    bool operator==(const Shot& other) const {
        return m_width == other.m_width && m_height == other.m_height && m_pixels == other.m_pixels;
    }
    bool operator!=(const Shot& other) const { return !(*this == other); }
    // How many pixels differ and their bounding box, for failure messages.
    std::string differenceFrom(const Shot& other) const;
    // Writes a 24-bit BMP for a person to look at after a failure.
    void save(const std::filesystem::path& file) const;

  private:
    int m_width = 0, m_height = 0;
    std::vector<uint32_t> m_pixels;
};

class RemoteWindow {
  public:
    // Waits for the program's main window and, unless the program is pelkocfg.exe itself
    // (withPanel false), its "Simulated Pelko" panel.
    explicit RemoteWindow(const Program& program, bool withPanel = true);
    bool found() const { return m_main && (m_panel || !m_withPanel); }

    // A point of the main window's client area on the screen.
    POINT onScreen(int x, int y) const;
    // A control's window as it was made (its image's size), in client coordinates.
    RECT controlRect(int controlId) const;
    // The centre of a control's rectangle in app/window_layout.h, on the screen; of the part
    // the control's window covers where its image is smaller than that rectangle.
    POINT centreOf(int controlId) const;
    // The control of the main window under a client point (0: none of its controls).
    int controlAt(POINT screen) const;

    // A press and a release at a screen point, each waited for through the mouse capture the
    // window there takes and gives back. False when the press was not taken.
    bool click(POINT screen);
    // Clicks a control of the main window at its centre; false when another window lies
    // there or the click was not taken.
    bool clickControl(int controlId);
    // Opens a CPI list with a click on its box and picks a row (0: 400 ... 3200) with a click
    // on it; true when the list opened and closed again.
    bool pickListRow(int listId, int row);
    // The channel x (slider coordinates) of the thumb's centre where the window draws it;
    // -1 when no thumb shows.
    int thumbShownAt(int sliderId) const;
    // Drags a slider's thumb by its centre from channel x `fromChannelX` to `toChannelX`
    // (slider coordinates); false when no thumb was there to take the press.
    bool dragThumb(int sliderId, int fromChannelX, int toChannelX);
    // A click on a slider's channel at channel x, off the thumb: a page step toward it (no
    // capture to wait for; the caller waits for the thumb to move).
    bool clickChannel(int sliderId, int channelX);
    // Closes an open list with a click off both windows (the list holds the capture, so the
    // click reaches it); true once it is hidden.
    bool closeListWithClickAway(HWND list);
    // Clicks a button of the "Simulated Pelko" panel.
    bool clickPanelButton(int buttonId);

    // Moves the pointer off both windows, so that no control shows its hover face.
    void pointerAway() const;

    // The main window's client area as the screen shows it now.
    Shot shot() const;
    // A shot once the window has stopped changing: several shots in a row alike (up to
    // `timeout`); empty when it never settles.
    Shot settledShot(DWORD timeoutMilliseconds = 5000) const;
    // The part of the current shot for a control's (or any) rectangle in client coordinates.
    Shot shotOf(const RECT& client) const;
    // Waits until the area's pixels differ from `before`.
    bool waitForChange(const RECT& client, const Shot& before, DWORD timeoutMilliseconds) const;

    // The window holding the mouse capture of the program's interface thread (null: none).
    HWND captureWindow() const;
    // The program's visible drop-down list whose left edge lies at a client x, if any.
    HWND openListAt(int clientX) const;

    HWND main() const { return m_main; }

  private:
    // The target takes the mouse capture at the press and gives it back at the release.
    bool pressAndRelease(POINT down, POINT up, HWND target);

    HWND m_main = nullptr;
    HWND m_panel = nullptr;
    DWORD m_thread = 0;
    DWORD m_process = 0;
    bool m_withPanel = true;
};

// The rectangle of a control in app/window_layout.h (client coordinates).
RECT layoutRectOf(int controlId);
// Thumb centre x, in slider coordinates, where a slider shows `value`.
int thumbChannelX(int sliderId, float value);
