#pragma once

// A float rectangle grown point by point; the bounding box of a drawn sprite is built in one.
struct hgeRect {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool clean = true;  // no point added yet

    hgeRect() = default;
    hgeRect(float left, float top, float right, float bottom)
        : x1(left), y1(top), x2(right), y2(bottom), clean(false) {}

    void Clear() { clean = true; }
    void Encapsulate(float x, float y) {
        if (clean) {
            x1 = x2 = x;
            y1 = y2 = y;
            clean = false;
            return;
        }
        if (x < x1) x1 = x;
        if (x > x2) x2 = x;
        if (y < y1) y1 = y;
        if (y > y2) y2 = y;
    }
};
