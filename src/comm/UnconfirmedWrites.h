#pragma once
// What the serial port has taken to write but not yet confirmed as gone to the
// line, oldest first. A port may accept bytes and fail to write them later; the
// held frames (acknowledgements) among them are then known not to have left.
#include <cstdint>
#include <deque>

class TUnconfirmedWrites {
public:
    // The port took bytes in one piece: one held frame, or anything else sent.
    void Taken(int64_t bytes, bool heldFrame);
    // The port confirms bytes as written, oldest first.
    void Confirmed(int64_t bytes);
    // The port failed to write: returns the held frames not wholly confirmed (a
    // frame cut short answers nothing) and forgets everything unconfirmed.
    uint64_t Failed();
    // The port was opened again: what the old stream held is no longer waited for.
    void Clear() { writes_.clear(); }

private:
    struct TWrite {
        int64_t Bytes;
        bool HeldFrame;
    };
    std::deque<TWrite> writes_;
};
