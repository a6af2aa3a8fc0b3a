# What a desktop needs of the program beyond the entry: the icon in every size, the project file
# type (so a double-click on a .zvr opens it), the software-centre entry and the manual page.
# Included by shell/CMakeLists.txt after GNUInstallDirs.
set(ZUVRACK_WEB_URL "https://zuvrack.example.org" CACHE STRING
    "Where the repository is published: the metainfo's home page, and the start of its screenshot's address")
foreach(size 16 32 48 64 128 256)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/${size}x${size}/zuvrack.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/zuvrack.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
set(ZUVRACK_METAINFO ${CMAKE_CURRENT_BINARY_DIR}/org.example.zuvrack.Zuvrack.metainfo.xml)
configure_file(${CMAKE_CURRENT_LIST_DIR}/zuvrack.metainfo.xml.in ${ZUVRACK_METAINFO} @ONLY)
install(FILES ${ZUVRACK_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/zuvrack.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
