# Empties a test's home before it runs: cmake -DHOME=<folder> -P fresh_home.cmake
file(REMOVE_RECURSE "${HOME}")
file(MAKE_DIRECTORY "${HOME}")
