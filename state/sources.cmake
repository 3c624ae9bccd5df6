# The state the windows, the link thread and the sampler share.
motoskop_sources(state
  CORE
    ChannelStore.cpp
)
