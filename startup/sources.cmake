# What the program takes at start-up: the command line's options table and parser,
# and the small rules for what it reads from the machine (decimal separator, GL path).
# The version lives here too, for the about window, --version and the exe's
# VERSIONINFO.
motoskop_sources(startup
  CORE
    CommandLine.cpp
    SystemChoices.cpp
)
