# The stand-in Checkout server: vantrel_standin (linked by tests) and the
# checkout-standin executable.
add_library(vantrel_standin STATIC
  ${CMAKE_CURRENT_LIST_DIR}/HttpServer.h ${CMAKE_CURRENT_LIST_DIR}/HttpServer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Store.h ${CMAKE_CURRENT_LIST_DIR}/Store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StandinServer.h ${CMAKE_CURRENT_LIST_DIR}/StandinState.h
  ${CMAKE_CURRENT_LIST_DIR}/StandinServer.cpp ${CMAKE_CURRENT_LIST_DIR}/Customers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Quotes.cpp ${CMAKE_CURRENT_LIST_DIR}/Checkouts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Documents.cpp ${CMAKE_CURRENT_LIST_DIR}/DemoData.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GeneratedCatalog.h ${CMAKE_CURRENT_LIST_DIR}/GeneratedCatalog.cpp)
target_include_directories(vantrel_standin PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(vantrel_standin PUBLIC vantrel_records Qt6::Core Qt6::Network Qt6::Gui Qt6::Sql)

add_executable(checkout-standin ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(checkout-standin PRIVATE vantrel_standin)
