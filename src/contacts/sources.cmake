# Files of this subsystem: core logic in quenlark_core, windows in quenlark_widgets.
# The contact list: the contacts and their storage, the host queries, the grid's model.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/contactactions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/contactformcore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/contactgridmodel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/contactlist.cpp
    ${CMAKE_CURRENT_LIST_DIR}/contactpoller.cpp
    ${CMAKE_CURRENT_LIST_DIR}/contactreply.cpp
    ${CMAKE_CURRENT_LIST_DIR}/contactstore.cpp)
target_sources(quenlark_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/contactform.cpp)
