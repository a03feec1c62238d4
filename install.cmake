# What `cmake --install` puts where: the executables in bin/, the data the game reads at run
# time in share/quorvin/ (ProgramFolder finds it as ../share/quorvin beside the executable), and
# what a desktop needs to offer the game from data/desktop/: the menu entry, the position files'
# type, the software-centre description, and the icon at every size the art tool draws.
include(GNUInstallDirs)

# The program looks for its data relative to itself, so the two folders must keep their places.
if(NOT CMAKE_INSTALL_BINDIR STREQUAL "bin" OR NOT CMAKE_INSTALL_DATADIR STREQUAL "share")
  message(FATAL_ERROR "Quorvin finds its data as ../share/quorvin beside its executable: "
                      "keep CMAKE_INSTALL_BINDIR=bin and CMAKE_INSTALL_DATADIR=share")
endif()

set(QUORVIN_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvin)
set(QUORVIN_DESKTOP_SOURCE ${PROJECT_SOURCE_DIR}/data/desktop)

# The command line tool and the positions its bench and think commands read.
install(TARGETS quorvin-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/Positions DESTINATION ${QUORVIN_DATA_DESTINATION})

if(TARGET quorvin)
  install(TARGETS quorvin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The language files go to languages/, not beside the program: the game reads "Russian.lng"
  # only from its own data folder, and English stays the installed copy's language.
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/Images ${PROJECT_SOURCE_DIR}/data/Sound
                    ${PROJECT_SOURCE_DIR}/data/help ${PROJECT_SOURCE_DIR}/data/languages
          DESTINATION ${QUORVIN_DATA_DESTINATION})
  install(FILES ${PROJECT_SOURCE_DIR}/data/Quorvin.html DESTINATION ${QUORVIN_DATA_DESTINATION})

  install(FILES ${QUORVIN_DESKTOP_SOURCE}/quorvin.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${QUORVIN_DESKTOP_SOURCE}/quorvin.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
  configure_file(${QUORVIN_DESKTOP_SOURCE}/org.example.quorvin.metainfo.xml.in
                 ${CMAKE_BINARY_DIR}/org.example.quorvin.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/org.example.quorvin.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  # The art tool draws the icon from a textured board, so it comes as pictures only.
  foreach(size IN ITEMS 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/data/Resources/Icons/Quorvin${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME quorvin.png)
  endforeach()
endif()
