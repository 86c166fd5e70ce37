# The English catalogue: every po/en*.po combined and compiled with gettext into
# locale/en/LC_MESSAGES/sekiba.mo beside the programs (where a game run from the
# build tree finds it), installed to share/locale as every desktop program has it.
find_program(SEKIBA_MSGCAT msgcat REQUIRED)
find_program(SEKIBA_MSGFMT msgfmt REQUIRED)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
file(GLOB SEKIBA_PO_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/po/en*.po)
set(SEKIBA_LOCALE_DIR ${CMAKE_BINARY_DIR}/locale/en/LC_MESSAGES)
set(SEKIBA_MO ${SEKIBA_LOCALE_DIR}/sekiba.mo)
add_custom_command(OUTPUT ${SEKIBA_MO}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${SEKIBA_LOCALE_DIR}
                   COMMAND ${SEKIBA_MSGCAT} --use-first -o ${CMAKE_BINARY_DIR}/sekiba-en.po
                           ${SEKIBA_PO_FILES}
                   COMMAND ${SEKIBA_MSGFMT} --check -o ${SEKIBA_MO} ${CMAKE_BINARY_DIR}/sekiba-en.po
                   DEPENDS ${SEKIBA_PO_FILES}
                   COMMENT "Compiling the English catalogue")
add_custom_target(sekiba-catalogue ALL DEPENDS ${SEKIBA_MO})
install(FILES ${SEKIBA_MO} DESTINATION share/locale/en/LC_MESSAGES)

# `cmake --build build --target sekiba-pot` writes po/sekiba.pot, the template of
# every text marked in src/, to bring the catalogues up to date with msgmerge.
add_custom_target(sekiba-pot
                  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/check-texts pot
                          ${CMAKE_SOURCE_DIR}/po/sekiba.pot
                  COMMENT "Writing po/sekiba.pot")
