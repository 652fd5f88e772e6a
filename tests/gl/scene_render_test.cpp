// Scene rendering under the recording stand-in: grid and axes, site points, closed curves in their
// selection colours, the selected-site sphere and the display-list cache of the solid shapes.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/view_state.h"
#include "scene/closed_spline.h"
#include "scene/render.h"
#include "scene/scene_store.h"
#include "scene/solid_shapes.h"
#include "tests/support/comparisons.h"
#include "tests/support/test_support.h"
#include "text/stroke_font.h"

namespace {

using glrec::Primitive;
using glrec::recorder;
using Colour = std::array<double, 4>;

constexpr float LETTER_WIDTH = 5.0f / 3.0f + 1.0f;  // stroke width of the axis letters, size 5

class SceneRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::reset_process_state();
    generate_random_scene();
    ASSERT_EQ(scene.spline_count, 7);
    ASSERT_EQ(scene.sites_per_spline, 12);
    recorder().clear_log();
  }

  // The scene part of a frame, in the frame's order, without the run.
  void draw_scene() {
    draw_grid_and_axes();
    draw_sites(scene.site_buffer_count);
    draw_splines(scene.spline_table, true);
    draw_selected_site_marker();
  }

  std::vector<const Primitive*> loops() const { return recorder().primitives_of(GL_LINE_LOOP); }
};

// The loop of a closed curve through these sites, vertex by vertex, recomputed from its segments.
void expect_curve_through(const Primitive& loop, const Site* sites, int count, const std::string& what) {
  float xs[MAX_SITES], ys[MAX_SITES], zs[MAX_SITES];
  for (int k = 0; k < count; ++k) {
    xs[k] = sites[k].x;
    ys[k] = sites[k].y;
    zs[k] = sites[k].z;
  }
  Cubic cx[MAX_SITES], cy[MAX_SITES], cz[MAX_SITES];
  closed_spline(count - 1, xs, cx);
  closed_spline(count - 1, ys, cy);
  closed_spline(count - 1, zs, cz);
  ASSERT_EQ(loop.vertices.size(), static_cast<std::size_t>(1 + 10 * count)) << what;
  testing_support::expect_point(loop.vertices[0], cubic_eval(cx[0], 0.0f), cubic_eval(cy[0], 0.0f), cubic_eval(cz[0], 0.0f), what);
  for (int i = 0; i < count; ++i) {
    // Every tenth vertex is on a site (the last one on the first), up to the rounding of a + b + c + d.
    const Site& site = sites[(i + 1) % count];
    const auto& on_site = loop.vertices[static_cast<std::size_t>(10 * (i + 1))];
    EXPECT_NEAR(on_site.x, site.x, 1e-2) << what << " site " << (i + 1) % count;
    EXPECT_NEAR(on_site.y, site.y, 1e-2) << what << " site " << (i + 1) % count;
    EXPECT_NEAR(on_site.z, site.z, 1e-2) << what << " site " << (i + 1) % count;
    for (int j = 1; j <= 10; ++j) {
      const float u = static_cast<float>(j / 10.0);
      testing_support::expect_point(loop.vertices[static_cast<std::size_t>(10 * i + j)], cubic_eval(cx[i], u),
                    cubic_eval(cy[i], u), cubic_eval(cz[i], u), what + " segment " + std::to_string(i));
    }
  }
  testing_support::expect_point(loop.vertices[0], sites[0].x, sites[0].y, sites[0].z, what + " first vertex on site 0");
}

TEST_F(SceneRenderTest, GridIsOneGreyPrimitiveOfIntegerLinesAtWidthOne) {
  draw_grid_and_axes();
  const Primitive& grid = recorder().primitives.at(0);
  EXPECT_EQ(grid.mode, static_cast<GLenum>(GL_LINES));
  EXPECT_EQ(grid.line_width, 1.0);
  EXPECT_EQ(grid.colour_at_begin, (Colour{0.6f, 0.6f, 0.6f, 1.0}));
  ASSERT_EQ(grid.vertices.size(), 804u);
  EXPECT_EQ(recorder().count("glVertex3i"), 804);
  for (int line = 0; line < 201; ++line) {
    const double k = -1000 + 10 * line;
    const std::string what = "line " + std::to_string(line);
    testing_support::expect_point(grid.vertices[2 * line], k, 0, -1000, what);
    testing_support::expect_point(grid.vertices[2 * line + 1], k, 0, 1000, what);
    testing_support::expect_point(grid.vertices[402 + 2 * line], -1000, 0, k, what);
    testing_support::expect_point(grid.vertices[402 + 2 * line + 1], 1000, 0, k, what);
  }
}

TEST_F(SceneRenderTest, AxesConesAndLettersAreGreenWithTheirTransforms) {
  draw_grid_and_axes();
  const auto& r = recorder();
  const Primitive& axes = r.primitives.at(1);
  EXPECT_EQ(axes.mode, static_cast<GLenum>(GL_LINES));
  EXPECT_EQ(axes.line_width, 5.0);
  ASSERT_EQ(axes.vertices.size(), 6u);
  const double ends[6][3] = {{0, -333, 0}, {0, 333, 0}, {-333, 0, 0}, {333, 0, 0}, {0, 0, -333}, {0, 0, 333}};
  for (int k = 0; k < 6; ++k) {
    testing_support::expect_point(axes.vertices[k], ends[k][0], ends[k][1], ends[k][2], "axis end " + std::to_string(k));
    EXPECT_EQ(axes.vertices[k].colour, (Colour{0, 2, 0, 1}));
  }

  // Three cones of base 9 and height 30, then the letters X, Y, Z.
  const double moves[6][3] = {{0, 0, 333}, {333, 0, 0}, {0, 333, 0}, {20, 0, 353}, {353, 0, 40}, {20, 353, 0}};
  const auto translations = r.calls_named("glTranslated");
  ASSERT_EQ(translations.size(), 6u);
  for (int k = 0; k < 6; ++k)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(translations[k][c], moves[k][c]) << "translation " << k;
  const double turns[5][4] = {{90, 0, 1, 0}, {-90, 1, 0, 0}, {-90, 1, 0, 0}, {-90, 1, 0, 0}, {90, 0, 0, 1}};
  const auto rotations = r.calls_named("glRotated");
  ASSERT_EQ(rotations.size(), 5u);
  for (int k = 0; k < 5; ++k)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(rotations[k][c], turns[k][c]) << "rotation " << k;

  const auto cylinders = r.calls_named("gluCylinder");
  ASSERT_EQ(cylinders.size(), 1u) << "compiled once, replayed for the other two";
  const double cone[] = {9, 0, 30, 15, 10};
  for (int c = 0; c < 5; ++c) EXPECT_EQ(cylinders[0][c], cone[c]);
  EXPECT_EQ(r.count("glCallList"), 2);
  // Each cone's colour comes after its transforms, just before the shape.
  std::vector<int> shapes = {r.find("glGenLists")};
  for (int from = 0; (from = r.find("glCallList", from + 1)) > 0;) shapes.push_back(from);
  ASSERT_EQ(shapes.size(), 3u);
  for (int k = 0; k < 3; ++k) {
    const int colour = shapes[static_cast<std::size_t>(k)] - 1;
    ASSERT_TRUE(r.calls[colour].is("glColor3d")) << "cone " << k;
    EXPECT_EQ(r.calls[colour][1], 2.0) << "cone " << k;
    EXPECT_TRUE(r.calls[colour - 1].is(k == 0 ? "glTranslated" : "glRotated")) << "cone " << k;
  }

  EXPECT_EQ(r.modelview_depth, 1);
  EXPECT_TRUE(r.errors.empty());

  // The letters, green at size 5 about their own origin, each under two pushed matrices.
  ASSERT_EQ(r.primitives.size(), 5u);
  const std::vector<Primitive> letters(r.primitives.begin() + 2, r.primitives.end());
  const char* names[] = {"X", "Y", "Z"};
  StrokeFont font;
  for (int k = 0; k < 3; ++k) {
    const Primitive& letter = letters[static_cast<std::size_t>(k)];
    EXPECT_EQ(letter.colour_at_begin, (Colour{0, 1, 0, 1})) << names[k];
    EXPECT_EQ(letter.line_width, LETTER_WIDTH) << names[k];
    EXPECT_EQ(letter.modelview_depth, 2) << names[k];
    recorder().clear_log();
    font.draw_text(names[k], 0, 0, "green", 5.0f);
    const Primitive& alone = recorder().primitives.at(0);
    ASSERT_EQ(letter.vertices.size(), alone.vertices.size()) << names[k];
    for (std::size_t v = 0; v < alone.vertices.size(); ++v)
      testing_support::expect_point(letter.vertices[v], alone.vertices[v].x, alone.vertices[v].y, 0, names[k]);
  }
}

TEST_F(SceneRenderTest, StartSceneDrawsEverySiteAndEveryCurve) {
  draw_scene();
  const auto& r = recorder();
  const auto points = r.primitives_of(GL_POINTS);
  ASSERT_EQ(points.size(), 84u);
  EXPECT_EQ(r.count("glPointSize"), 84);
  for (int i = 0; i < 7; ++i)
    for (int j = 0; j < 12; ++j) {
      const Primitive& p = *points[static_cast<std::size_t>(12 * i + j)];
      const Site& site = scene.spline_table[i][j];
      const std::string what = "spline " + std::to_string(i) + " site " + std::to_string(j);
      EXPECT_EQ(p.point_size, 7.0) << what;
      ASSERT_EQ(p.vertices.size(), 1u) << what;
      testing_support::expect_point(p.vertices[0], site.x, site.y, site.z, what);
      EXPECT_EQ(p.vertices[0].colour, (Colour{1 + 0.1 * i, 0, 0.1 * i, 1})) << what;
    }

  const auto curves = loops();
  ASSERT_EQ(curves.size(), 7u);
  for (int i = 0; i < 7; ++i) {
    const Primitive& loop = *curves[static_cast<std::size_t>(i)];
    EXPECT_EQ(loop.colour_at_begin, (Colour{1, 1, 1, 1})) << "spline " << i;
    EXPECT_EQ(loop.line_width, LETTER_WIDTH) << "spline " << i << " inherits the width of the letter Z";
    expect_curve_through(loop, scene.spline_table[i], 12, "spline " + std::to_string(i));
  }
  EXPECT_EQ(r.count("glLineWidth"), 2 + 3) << "grid, axes and one per letter; none for the curves";
  EXPECT_EQ(r.count("gluSphere"), 0);
  EXPECT_TRUE(r.errors.empty());
}

TEST_F(SceneRenderTest, SelectionColoursTheSplineAndASelectedSiteGetsTheSphere) {
  scene.selected_spline = 2;
  scene.selected_site = -1;
  draw_scene();
  auto curves = loops();
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(curves[static_cast<std::size_t>(i)]->colour_at_begin, (i == 2 ? Colour{1, 0, 0, 1} : Colour{1, 1, 1, 1}))
        << "spline " << i;
  EXPECT_EQ(recorder().count("gluSphere"), 0) << "a whole spline selected has no marker";

  scene.selected_site = 4;
  recorder().clear_log();
  draw_scene();
  const auto& r = recorder();
  EXPECT_EQ(loops()[2]->colour_at_begin, (Colour{1, 1, 0, 1}));
  EXPECT_EQ(loops()[3]->colour_at_begin, (Colour{1, 1, 1, 1}));
  const auto spheres = r.calls_named("gluSphere");
  ASSERT_EQ(spheres.size(), 1u);
  EXPECT_EQ(spheres[0][0], 10.0);
  EXPECT_EQ(spheres[0][1], 16.0);
  EXPECT_EQ(spheres[0][2], 16.0);
  const Site& site = scene.spline_table[2][4];
  const int name = r.find("glGenLists", r.find("gluCylinder") + 1);  // the sphere's list
  ASSERT_GE(name, 3);
  EXPECT_TRUE(r.calls[name - 1].is("glTranslated"));
  EXPECT_EQ(r.calls[name - 1][0], site.x);
  EXPECT_EQ(r.calls[name - 1][1], site.y);
  EXPECT_EQ(r.calls[name - 1][2], site.z);
  EXPECT_TRUE(r.calls[name - 2].is("glColor3d"));
  EXPECT_TRUE(r.calls[name - 3].is("glPushMatrix"));
  EXPECT_EQ(r.colour, (Colour{1, 1, 0, 1}));
  EXPECT_TRUE(r.calls.back().is("glPopMatrix"));
  EXPECT_EQ(r.modelview_depth, 1);

  // A selection beyond the table draws no sphere.
  for (int beyond : {7, 50}) {
    scene.selected_spline = beyond;
    recorder().clear_log();
    draw_selected_site_marker();
    EXPECT_TRUE(recorder().calls.empty()) << beyond;
  }
}

TEST_F(SceneRenderTest, SitesOfLaterSplinesTurnBlueAndBufferSitesAreGreenLast) {
  scene.spline_count = 12;
  scene.sites_per_spline = 2;
  scene.site_buffer[0] = {1, 2, 3};
  scene.site_buffer[1] = {4, 5, 6};
  draw_sites(2);
  const auto points = recorder().primitives_of(GL_POINTS);
  ASSERT_EQ(points.size(), 26u);
  EXPECT_EQ(points[0]->vertices[0].colour, (Colour{1, 0, 0, 1}));
  EXPECT_EQ(points[10]->vertices[0].colour, (Colour{1.5, 0, 0.5, 1})) << "spline 5, passed unclamped";
  EXPECT_EQ(points[23]->vertices[0].colour, (Colour{1 + 0.1 * 11, 0, 0.1 * 11, 1}));
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(points[24 + k]->vertices[0].colour, (Colour{0, 1, 0, 1}));
    testing_support::expect_point(points[24 + k]->vertices[0], 1 + 3 * k, 2 + 3 * k, 3 + 3 * k, "buffer site");
    EXPECT_EQ(points[24 + k]->point_size, 7.0);
  }
}

TEST_F(SceneRenderTest, AnEmptyTableStillDrawsGridAxesAndBufferSites) {
  scene.spline_count = 0;
  scene.site_buffer_count = 3;
  draw_scene();
  const auto& r = recorder();
  EXPECT_TRUE(loops().empty());
  EXPECT_EQ(r.primitives_of(GL_POINTS).size(), 3u);
  EXPECT_EQ(r.primitives_of(GL_LINES).size(), 5u) << "grid, axes and three letters";
  EXPECT_EQ(r.count("gluCylinder") + r.count("glCallList"), 3);
}

TEST_F(SceneRenderTest, ShortSplinesDrawShortLoops) {
  // Two sites: a segment traced out and back.
  scene.sites_per_spline = 2;
  scene.spline_count = 1;
  draw_splines(scene.spline_table, true);
  ASSERT_EQ(loops().size(), 1u);
  expect_curve_through(*loops()[0], scene.spline_table[0], 2, "two sites");

  // One site: a loop of 11 vertices, every one on the site.
  scene.sites_per_spline = 1;
  recorder().clear_log();
  draw_splines(scene.spline_table, true);
  ASSERT_EQ(loops().size(), 1u);
  const Site& site = scene.spline_table[0][0];
  ASSERT_EQ(loops()[0]->vertices.size(), 11u);
  for (const auto& v : loops()[0]->vertices) testing_support::expect_point(v, site.x, site.y, site.z, "one site");
}

TEST_F(SceneRenderTest, SolidShapesCompileOncePerSizeAndReplayAfter) {
  view.trail_mode = false;
  view.show_site_table = false;
  scene.selected_spline = 1;
  scene.selected_site = 3;
  for (int frame = 0; frame < 50; ++frame) testing_support::stdout_lines([] { display(); });
  const auto& r = recorder();
  EXPECT_EQ(r.count("glGenLists"), 2) << "one sphere, one cone";
  EXPECT_EQ(r.count("glNewList"), 2);
  EXPECT_EQ(r.count("gluSphere"), 1);
  EXPECT_EQ(r.count("gluCylinder"), 1);
  EXPECT_EQ(r.count("glCallList"), 50 * 4 - 2);
  EXPECT_EQ(r.live_quadrics, 0) << "each quadric is deleted once its list is compiled";
  for (const auto& call : r.calls_named("glNewList")) EXPECT_EQ(call[1], GL_COMPILE_AND_EXECUTE);
  EXPECT_EQ(r.calls_named("gluQuadricDrawStyle")[0][0], GLU_FILL);
  EXPECT_EQ(r.calls_named("gluQuadricNormals")[0][0], GLU_SMOOTH);
  EXPECT_TRUE(r.errors.empty()) << r.errors.front();
}

TEST_F(SceneRenderTest, AnotherSizeAddsAnEntryAndEachSizeKeepsItsList) {
  solid_sphere(10);
  solid_sphere(11);
  solid_sphere(10);
  solid_sphere(11);
  solid_cone(9, 30);
  solid_cone(9, 40);  // same base, another height
  solid_cone(9, 30);
  const auto& r = recorder();
  EXPECT_EQ(r.count("glGenLists"), 4);
  const auto replays = r.calls_named("glCallList");
  ASSERT_EQ(replays.size(), 3u);
  const auto compiled = r.calls_named("glNewList");
  EXPECT_EQ(replays[0][0], compiled[0][0]) << "radius 10";
  EXPECT_EQ(replays[1][0], compiled[1][0]) << "radius 11";
  EXPECT_EQ(replays[2][0], compiled[2][0]) << "cone 9, 30 (not 9, 40)";

  // Forgotten, the cache compiles again.
  clear_shape_list_cache();
  recorder().clear_log();
  solid_sphere(10);
  EXPECT_EQ(recorder().count("glNewList"), 1);
}

}  // namespace
