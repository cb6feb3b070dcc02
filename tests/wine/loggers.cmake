# A contact sent live to WSJT-X's own receiver of its UDP protocol
# (udp_daemon, Debian's wsjtx), once to a port on 127.0.0.1 and once to a
# multicast group on the loopback interface; then the Logged ADIF text and
# tavrix.adi read by a logger's ADIF parser. About two minutes each.
tavrix_wine_test(loggers ${CMAKE_CURRENT_SOURCE_DIR}/loggers.sh 52237)
tavrix_wine_test(loggers_multicast ${CMAKE_CURRENT_SOURCE_DIR}/loggers.sh 52238 239.255.0.1)
