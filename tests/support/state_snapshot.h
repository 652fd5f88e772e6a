// The whole process-wide state as one value, and the names of the parts two such values differ in.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/view_state.h"
#include "scene/random.h"
#include "scene/run.h"
#include "scene/scene_store.h"

namespace testing_support {

struct ProcessState {
  SceneStore scene_store;
  ViewState view_state;
  RunState run_state;
  float offset;
  std::uint32_t generator_state;
};

inline ProcessState capture_state() { return ProcessState{scene, view, run, length_offset, lcg::generator.s}; }

// Names of the members that differ, bit for bit; empty when the two states are the same.
inline std::vector<std::string> state_differences(const ProcessState& a, const ProcessState& b) {
  std::vector<std::string> names;
  auto check = [&names](const char* name, const auto& x, const auto& y) {
    static_assert(sizeof x == sizeof y, "same member");
    if (std::memcmp(&x, &y, sizeof x) != 0) names.push_back(name);
  };
#define SPLINES_CHECK(owner, member) check(#member, a.owner.member, b.owner.member)
  SPLINES_CHECK(scene_store, spline_table);
  SPLINES_CHECK(scene_store, site_buffer);
  SPLINES_CHECK(scene_store, spline_count);
  SPLINES_CHECK(scene_store, sites_per_spline);
  SPLINES_CHECK(scene_store, site_buffer_count);
  SPLINES_CHECK(scene_store, selected_spline);
  SPLINES_CHECK(scene_store, selected_site);
  SPLINES_CHECK(scene_store, run_active);
  SPLINES_CHECK(view_state, screen_width);
  SPLINES_CHECK(view_state, screen_height);
  SPLINES_CHECK(view_state, camera_offset);
  SPLINES_CHECK(view_state, camera_step);
  SPLINES_CHECK(view_state, scene_angle);
  SPLINES_CHECK(view_state, rotation_step);
  SPLINES_CHECK(view_state, frame_counter);
  SPLINES_CHECK(view_state, clear_each_frame);
  SPLINES_CHECK(view_state, trail_mode);
  SPLINES_CHECK(view_state, show_site_table);
  SPLINES_CHECK(run_state, run_snapshot);
  SPLINES_CHECK(run_state, snapshot_row_count);
  SPLINES_CHECK(run_state, snapshot_row_length);
  SPLINES_CHECK(run_state, run_points);
  SPLINES_CHECK(run_state, run_param);
  SPLINES_CHECK(run_state, run_segment);
  SPLINES_CHECK(run_state, run_speed);
#undef SPLINES_CHECK
  check("length_offset", a.offset, b.offset);
  check("generator", a.generator_state, b.generator_state);
  return names;
}

}  // namespace testing_support
