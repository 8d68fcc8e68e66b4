# `cmake --install build --prefix PREFIX`: the `tarvel` launcher on the PATH (PREFIX/bin), the
# installation tree it makes each user's app dir from (PREFIX/lib/tarvel, laid out as build/dist),
# the desktop entry and the icons of the hicolor theme.
set(TARVEL_INSTALL_TREE lib/tarvel)
install(TARGETS tarvel tarvel-library extplayer RUNTIME DESTINATION ${TARVEL_INSTALL_TREE})
install(DIRECTORY ${TARVEL_DIST}/Pictures ${TARVEL_DIST}/help ${TARVEL_DIST}/ForApollo
                  ${TARVEL_DIST}/TvSysFile
        DESTINATION ${TARVEL_INSTALL_TREE}
        PATTERN ".drawn" EXCLUDE)
install(PROGRAMS ${PROJECT_SOURCE_DIR}/src/app/tarvel.sh DESTINATION bin RENAME tarvel)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/tarvel.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/tarvel.svg
        DESTINATION share/icons/hicolor/scalable/apps)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION share/icons/hicolor
        PATTERN ".drawn" EXCLUDE)
