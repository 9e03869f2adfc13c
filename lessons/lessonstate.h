#pragma once

// Where the lesson viewer stands in the course, one value per process:
// the lesson shown and the last lesson there is.
class LessonState
{
public:
    static LessonState &current();

    int currentLesson = 1;
    int lessonLimit = 18;
};
