# The options target and the library without windows, shared by the program
# and the fuzz project (tests/fuzz). Needs HARFORA_ROOT, Qt5 Core, Gui and Sql,
# and the harforaresources target.
# Compile options of every target of ours: warnings and Qt's string safety.
add_library(harforaoptions INTERFACE)
target_compile_options(harforaoptions INTERFACE -Wall -Wextra -Wshadow $<$<BOOL:${HARFORA_WERROR}>:-Werror>)
target_compile_definitions(harforaoptions INTERFACE
  QT_USE_QSTRINGBUILDER QT_NO_CAST_TO_ASCII QT_DISABLE_DEPRECATED_BEFORE=0x050F00)

# The model without windows: keys and captions, scan codes, text preparation,
# fingers, the typing run, the game rules and the store.
add_library(harforacore STATIC
  ${HARFORA_ROOT}/app/activitykey.cpp ${HARFORA_ROOT}/app/catalogues.cpp ${HARFORA_ROOT}/app/clock.cpp ${HARFORA_ROOT}/app/notices.cpp ${HARFORA_ROOT}/app/resources.cpp
  ${HARFORA_ROOT}/games/ballflight.cpp ${HARFORA_ROOT}/games/gamerules.cpp ${HARFORA_ROOT}/keyboard/keyids.cpp ${HARFORA_ROOT}/keyboard/scancode.cpp
  ${HARFORA_ROOT}/practice/fingers.cpp ${HARFORA_ROOT}/practice/textprep.cpp ${HARFORA_ROOT}/practice/typingstats.cpp ${HARFORA_ROOT}/practice/typingrun.cpp
  ${HARFORA_ROOT}/store/session.cpp ${HARFORA_ROOT}/store/passwordhash.cpp ${HARFORA_ROOT}/store/tables.cpp ${HARFORA_ROOT}/store/dbstuff.cpp ${HARFORA_ROOT}/store/databasefiles.cpp
  ${HARFORA_ROOT}/store/usernames.cpp ${HARFORA_ROOT}/store/usersfile.cpp
)
target_sources(harforacore PRIVATE ${HARFORA_ROOT}/app/clocktimer.cpp)
target_include_directories(harforacore PUBLIC ${HARFORA_ROOT})
target_link_libraries(harforacore PUBLIC harforaoptions harforaresources Qt5::Gui Qt5::Sql)
