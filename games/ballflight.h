#pragma once

// How one ball falls and bounces, a drop tick at a time, without the item
// that draws it: it falls faster and faster, bounces off the floor three
// times, each time half as high, and is lost at the next floor contact.
class BallFlight
{
public:
    enum class Step { Fell, Rose, Stopped, Bounced, Lost };
    struct Move {
        Step step;
        int y; // the new height of the ball's top
    };
    static constexpr int bouncesBeforeLoss = 3;
    static constexpr int floor = 385; // where a bounced ball is placed, less 30 per bounce already made

    // One drop tick from height y; touching tells whether the ball meets
    // the playfield's borders.
    Move tick(int y, bool touching);
    int bounces() const { return bounceCount; }

private:
    Move contact(float speed, int y);

    int ticks = 0;
    float direction = 1.0f; // 1 falling, -1 rising
    int startSpeed = 10;
    int bounceCount = 0;
    int bounceHeight = 200;
    static constexpr float gravity = 9.8f;
    static constexpr float tickLength = 50.0f; // ms: the drop timer's interval
};
