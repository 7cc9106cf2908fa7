# The catalog's product rules: categories, the assembled split, typed and spoken search.
vantrel_add_test(NAME tst_catalog_search SOURCES tst_catalog_search.cpp
  LIBS vantrel_workflow LABELS unit)

# The recognition test finds products with the catalog's own search rules.
if(TARGET tst_recognition)
  target_link_libraries(tst_recognition PRIVATE vantrel_workflow)
endif()
