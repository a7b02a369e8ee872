# Update manager and the update-server client.
set(UPDATE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/updatetypes.h
  ${CMAKE_CURRENT_LIST_DIR}/tmupserver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmupserver.h
  ${CMAKE_CURRENT_LIST_DIR}/updateschema.cpp
  ${CMAKE_CURRENT_LIST_DIR}/updateschema.h
  ${CMAKE_CURRENT_LIST_DIR}/packagearchive.cpp
  ${CMAKE_CURRENT_LIST_DIR}/packagearchive.h
  ${CMAKE_CURRENT_LIST_DIR}/packageinstaller.cpp
  ${CMAKE_CURRENT_LIST_DIR}/packageinstaller.h
  ${CMAKE_CURRENT_LIST_DIR}/updatemanager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/updatemanager.h
)
set(UPDATE_LIBS
  CURL::libcurl
  ZLIB::ZLIB
)
