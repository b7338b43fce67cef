#pragma once
#include <array>
#include <string>

#include "connlist/my_rec.h"

namespace halvane {

struct MyRecField {
  const char* name;
  RecText TMyRec::*member;
};

// The twelve fields of a row record, by name, in record order.
inline constexpr std::array<MyRecField, 12> kMyRecFields = {{
    {"Protocol", &TMyRec::Protocol},
    {"State", &TMyRec::State},
    {"LocalIP", &TMyRec::LocalIP},
    {"LocalPort", &TMyRec::LocalPort},
    {"RemoteIP", &TMyRec::RemoteIP},
    {"RemotePort", &TMyRec::RemotePort},
    {"PID", &TMyRec::PID},
    {"ProcessName", &TMyRec::ProcessName},
    {"ProcessPath", &TMyRec::ProcessPath},
    {"Description", &TMyRec::Description},
    {"Company", &TMyRec::Company},
    {"Mark", &TMyRec::Mark},
}};

}  // namespace halvane
