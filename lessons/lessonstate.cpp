#include "lessons/lessonstate.h"

LessonState &LessonState::current()
{
    static LessonState state;
    return state;
}
