#include "games/ballflight.h"

BallFlight::Move BallFlight::tick(int y, bool touching)
{
    ++ticks;
    const float speed = startSpeed + direction * gravity * ticks * tickLength / 1000.0f;
    if (touching)
        return contact(speed, y);
    if (direction > 0)
        return {speed > 1000 ? Step::Stopped : Step::Fell, int(y + 0.1f * speed)};
    if (y <= floor - bounceHeight) { // high enough: falls again
        direction = 1.0f;
        ticks = 0;
    }
    return {Step::Rose, int(y - 0.1f * speed)};
}

BallFlight::Move BallFlight::contact(float speed, int y)
{
    ticks = 0;
    direction = -1.0f;
    startSpeed = int(speed);
    if (bounceCount == bouncesBeforeLoss)
        return {Step::Lost, y};
    const int placed = floor - 30 * bounceCount;
    ++bounceCount;
    bounceHeight /= 2;
    return {Step::Bounced, placed};
}
