# The options target, the library without windows and every folder's
# sources, shared by the program and the fuzz project (tests/fuzz). Needs
# HARFORA_ROOT, Qt5 Core, Gui and Sql, and the harforaresources target; a
# harforagui target made before this file is included gets the windows.
# Compile options of every target of ours: warnings and Qt's string safety.
add_library(harforaoptions INTERFACE)
target_compile_options(harforaoptions INTERFACE -Wall -Wextra -Wshadow -Wpedantic -Wold-style-cast
  -Wnon-virtual-dtor -Woverloaded-virtual $<$<BOOL:${HARFORA_WERROR}>:-Werror>)
target_compile_definitions(harforaoptions INTERFACE
  QT_USE_QSTRINGBUILDER QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY QT_STRICT_ITERATORS
  QT_DISABLE_DEPRECATED_BEFORE=0x050F00)
if(HARFORA_SANITIZE)
  target_compile_options(harforaoptions INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(harforaoptions INTERFACE -fsanitize=address,undefined)
endif()

# The model without windows: keys and captions, scan codes, text preparation,
# fingers, the typing run, the game rules and the store. Each folder's own
# CMakeLists.txt says which of its files belong here and which to the windows.
add_library(harforacore STATIC)
target_include_directories(harforacore PUBLIC ${HARFORA_ROOT})
target_link_libraries(harforacore PUBLIC harforaoptions harforaresources Qt5::Gui Qt5::Sql)
foreach(folder app store keyboard practice reports lessons games login mainmenu)
  add_subdirectory(${HARFORA_ROOT}/${folder} ${CMAKE_BINARY_DIR}/src/${folder})
endforeach()

# Files that build without Qt's implicit conversions from 8-bit strings;
# the others follow as they are reworked.
set(harfora_strict_ascii
  app/activitykey.cpp app/clock.cpp app/clocktimer.cpp app/loginkey.cpp app/messages.cpp app/notices.cpp app/placement.cpp
  app/resources.cpp app/slotsbyname.cpp app/translate.cpp games/ballflight.cpp games/gamerules.cpp
  games/gamespacewindow.cpp keyboard/keyids.cpp keyboard/scancode.cpp practice/fingers.cpp
  practice/highlighter.cpp practice/textprep.cpp practice/typingrun.cpp practice/typingstats.cpp
  practice/weakkeys.cpp practice/weakkeytext.cpp practice/practicesession.cpp lessons/lessonstate.cpp
  store/passwordhash.cpp store/session.cpp store/usernames.cpp)
list(TRANSFORM harfora_strict_ascii PREPEND ${HARFORA_ROOT}/)
set_source_files_properties(${harfora_strict_ascii} PROPERTIES COMPILE_DEFINITIONS QT_NO_CAST_FROM_ASCII)
