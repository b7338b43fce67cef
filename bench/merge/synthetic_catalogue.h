#pragma once
#include <array>
#include <cstdint>

namespace halvane::bench {

// A program as a server runs it: how often its processes appear, where its file lives and
// what the package database says of it.
struct CatalogueProgram {
  const char* name;
  int weight;
  const char* path;
  const char* description;
  const char* company;
};

// Busy services first, so many rows share a few names, as on a real server.
inline constexpr std::array<CatalogueProgram, 24> kCataloguePrograms = {{
    {"nginx", 30, "/usr/sbin/nginx", "小型、高性能的 Web 服务器", "Debian Nginx Maintainers"},
    {"java", 22, "/usr/lib/jvm/java-17-openjdk-amd64/bin/java", "OpenJDK Java runtime",
     "Debian Java Maintainers"},
    {"postgres", 18, "/usr/lib/postgresql/15/bin/postgres", "PostgreSQL database server",
     "Debian PostgreSQL Maintainers"},
    {"node", 14, "/usr/bin/node", "Node.js event-based server-side javascript engine",
     "Debian Javascript Maintainers"},
    {"python3", 10, "/usr/bin/python3.11", "Interactive high-level object-oriented language",
     "Matthias Klose"},
    {"haproxy", 8, "/usr/sbin/haproxy", "fast and reliable load balancing reverse proxy",
     "Debian HAProxy Maintainers"},
    {"redis-server", 8, "/usr/bin/redis-check-rdb", "Persistent key-value database", "Chris Lamb"},
    {"envoy", 6, "/usr/local/bin/envoy", "", ""},
    {"sshd", 5, "/usr/sbin/sshd", "secure shell (SSH) server", "Debian OpenSSH Maintainers"},
    {"containerd", 4, "/usr/bin/containerd", "daemon to control runC", "Debian Go Packaging Team"},
    {"dockerd", 3, "/usr/sbin/dockerd", "Linux container runtime", "Debian Go Packaging Team"},
    {"chrome", 3, "/opt/google/chrome/chrome", "Google Chrome", "Google LLC"},
    {"firefox-esr", 3, "/usr/lib/firefox-esr/firefox-esr", "Firefox ESR 网络浏览器",
     "Debian Mozilla Extended Support Release (ESR) Team"},
    {"memcached", 3, "/usr/bin/memcached", "high-performance memory object caching system",
     "Chris Lamb"},
    {"mysqld", 3, "/usr/sbin/mariadbd", "MariaDB database server binaries",
     "Debian MySQL Maintainers"},
    {"squid", 2, "/usr/sbin/squid", "Full featured Web Proxy cache (HTTP proxy)",
     "Luigi Gangitano"},
    {"dnsmasq", 1, "/usr/sbin/dnsmasq", "Small caching DNS proxy and DHCP/TFTP server",
     "Simon Kelley"},
    {"systemd-resolved", 1, "/usr/lib/systemd/systemd-resolved", "systemd DNS resolver",
     "Debian systemd Maintainers"},
    {"avahi-daemon", 1, "/usr/sbin/avahi-daemon", "Avahi mDNS/DNS-SD daemon",
     "Utopia Maintenance Team"},
    {"cupsd", 1, "/usr/sbin/cupsd", "Common UNIX Printing System(tm) - server",
     "Debian Printing Team"},
    {"chronyd", 1, "/usr/sbin/chronyd", "Versatile implementation of the Network Time Protocol",
     "Vincent Blut"},
    {"ntpd", 1, "/usr/sbin/ntpd", "Network Time Protocol daemon", "Debian NTP Team"},
    {"Xorg", 1, "/usr/lib/xorg/Xorg", "X.Org X server", "Debian X Strike Force"},
    {"worker", 2, "", "", ""},  // another account's process: no path without extra rights
}};

// Local addresses of the machine, and ports its services listen on.
inline constexpr std::array<std::array<std::uint8_t, 4>, 3> kHostAddresses = {{
    {10, 0, 0, 5},
    {192, 168, 1, 20},
    {172, 17, 0, 1},
}};
inline constexpr std::array<std::uint16_t, 10> kServicePorts = {80, 443,  5432, 6379, 8080,
                                                                22, 3306, 9000, 8443, 11211};

}  // namespace halvane::bench
