// Lighting and fog the way the device defines them, in a small GLSL
// program of the device's own; everything else stays fixed-function.
//
// Fixed-function GL cannot match the device here: its point lights reach
// past their range, and its table fog always measures eye distance, where
// the device measures eye depth only under a perspective projection and the
// depth buffer's 0..1 otherwise. While lighting or fog is on, every draw
// goes through this program; it also stands in for texture stage 0, the
// only stage the drawing code uses. Lighting is per vertex: emissive, plus
// the ambient light times the material's ambient, plus each enabled light's
// ambient and its diffuse times the vertex colour and the cosine to the
// normal, attenuated by distance for a point light within its range.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/gl/gl_device.h"

namespace {

const char kVertexShader[] = R"(
uniform int u_lighting;
uniform vec3 u_ambient, u_materialAmbient, u_materialEmissive;
uniform int u_lightCount;
uniform vec4 u_lightPosition[8];  // w 0: xyz is the way to the light; 1: its place
uniform vec3 u_lightDiffuse[8];
uniform vec3 u_lightAmbient[8];
uniform vec4 u_lightAttenuation[8];  // constant, linear, quadratic, range
COLOUR out vec4 v_colour;
out float v_eyeDepth;
out vec2 v_uv;

void main() {
  gl_Position = ftransform();
  v_eyeDepth = gl_Position.w;
  v_uv = gl_MultiTexCoord0.xy;
  if (u_lighting == 0) {
    v_colour = gl_Color;
    return;
  }
  vec4 eye = gl_ModelViewMatrix * gl_Vertex;
  vec3 normal = gl_NormalMatrix * gl_Normal;
  vec3 lit = u_materialEmissive + u_ambient * u_materialAmbient;
  for (int i = 0; i < u_lightCount; ++i) {
    vec3 toLight = u_lightPosition[i].xyz;
    float attenuation = 1.0;
    if (u_lightPosition[i].w != 0.0) {
      vec3 d = u_lightPosition[i].xyz - eye.xyz;
      float distance = length(d);
      if (!(distance <= u_lightAttenuation[i].w)) continue;
      toLight = distance > 0.0 ? d / distance : vec3(0.0);
      float falloff = u_lightAttenuation[i].x + u_lightAttenuation[i].y * distance +
                      u_lightAttenuation[i].z * distance * distance;
      attenuation = falloff > 0.0 ? 1.0 / falloff : 1.0;
    }
    lit += attenuation * (u_lightAmbient[i] * u_materialAmbient +
                          u_lightDiffuse[i] * gl_Color.rgb * max(dot(normal, toLight), 0.0));
  }
  v_colour = vec4(clamp(lit, 0.0, 1.0), gl_Color.a);
}
)";

const char kFragmentShader[] = R"(
uniform sampler2D u_texture;
uniform int u_textured;
uniform ivec3 u_colourStage, u_alphaStage;  // operation, first and second source
uniform int u_fogMode;                      // 0 none, 1 exp, 2 exp2, 3 linear
uniform int u_fogFromDepth;
uniform vec3 u_fogColour, u_fogRange;       // start, end, density
COLOUR in vec4 v_colour;
in float v_eyeDepth;
in vec2 v_uv;

vec4 Source(int argument, vec4 texel) { return (argument & 15) == 2 ? texel : v_colour; }

vec4 Stage(ivec3 stage, vec4 texel) {
  if (stage.x == 1) return v_colour;
  vec4 first = Source(stage.y, texel), second = Source(stage.z, texel);
  if (stage.x == 4) return first * second;
  if (stage.x == 3) return second;
  return first;
}

void main() {
  vec4 colour = v_colour;
  if (u_textured != 0) {
    vec4 texel = texture(u_texture, v_uv);
    colour = vec4(Stage(u_colourStage, texel).rgb, Stage(u_alphaStage, texel).a);
  }
  if (u_fogMode != 0) {
    float depth = u_fogFromDepth != 0 ? gl_FragCoord.z : v_eyeDepth;
    float kept;
    if (u_fogMode == 3) {
      float span = u_fogRange.y - u_fogRange.x;
      kept = span != 0.0 ? (u_fogRange.y - depth) / span : (depth < u_fogRange.y ? 1.0 : 0.0);
    } else if (u_fogMode == 1) {
      kept = exp(-u_fogRange.z * depth);
    } else {
      kept = exp(-(u_fogRange.z * depth) * (u_fogRange.z * depth));
    }
    colour.rgb = mix(u_fogColour, colour.rgb, clamp(kept, 0.0, 1.0));
  }
  gl_FragColor = colour;
}
)";

GLuint Compile(GLenum kind, const char* source, bool flat) {
  const char* parts[] = {"#version 450 compatibility\n", flat ? "#define COLOUR flat\n" : "#define COLOUR\n", source};
  GLuint shader = glCreateShader(kind);
  glShaderSource(shader, 3, parts, nullptr);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok == GL_TRUE) return shader;
  char log[1024] = {};
  glGetShaderInfoLog(shader, sizeof log, nullptr, log);
  std::fprintf(stderr, "The lighting shader does not compile: %s\n", log);
  glDeleteShader(shader);
  return 0;
}

void SetColour(GLint at, const GfxColourValue& c) { glUniform3f(at, c.r, c.g, c.b); }

void ArgbToRgb(uint32_t argb, float out[3]) {
  out[0] = static_cast<float>((argb >> 16) & 255) / 255.0f;
  out[1] = static_cast<float>((argb >> 8) & 255) / 255.0f;
  out[2] = static_cast<float>(argb & 255) / 255.0f;
}

float FloatOf(uint32_t bits) {
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

}  // namespace

GlLightingProgram::~GlLightingProgram() {
  for (GLuint program : programs_) {
    if (program != 0) glDeleteProgram(program);
  }
}

GLuint GlLightingProgram::Get(bool flat) {
  const int which = flat ? 1 : 0;
  if (programs_[which] != 0 || failed_[which]) return programs_[which];
  GLuint vertex = Compile(GL_VERTEX_SHADER, kVertexShader, flat);
  GLuint fragment = Compile(GL_FRAGMENT_SHADER, kFragmentShader, flat);
  GLuint program = 0;
  if (vertex != 0 && fragment != 0) {
    program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
      std::fprintf(stderr, "The lighting shader does not link\n");
      glDeleteProgram(program);
      program = 0;
    }
  }
  if (vertex != 0) glDeleteShader(vertex);
  if (fragment != 0) glDeleteShader(fragment);
  failed_[which] = program == 0;
  programs_[which] = program;
  return program;
}

// Lights are given in world space and lit in eye space: places and ways go
// through the view matrix (row vectors) here, normals through the normal
// matrix in the program.
void GlDevice::ApplyShadedPipeline() {
  const bool lighting = states_[D3DRS_LIGHTING] != 0, fog = states_[D3DRS_FOGENABLE] != 0;
  const GLuint program = lighting || fog ? shaded_.Get(states_[D3DRS_SHADEMODE] == D3DSHADE_FLAT) : 0;
  glUseProgram(program);
  if (program == 0) return;
  auto at = [program](const char* name) { return glGetUniformLocation(program, name); };
  glUniform1i(at("u_lighting"), lighting ? 1 : 0);
  float ambient[3];
  ArgbToRgb(states_[D3DRS_AMBIENT], ambient);
  glUniform3fv(at("u_ambient"), 1, ambient);
  SetColour(at("u_materialAmbient"), material_.ambient);
  SetColour(at("u_materialEmissive"), material_.emissive);
  float positions[kLights][4] = {}, diffuse[kLights][3] = {}, ambients[kLights][3] = {}, attenuation[kLights][4] = {};
  int count = 0;
  for (int i = 0; i < kLights && lighting; ++i) {
    if (!lightOn_[i]) continue;
    const GfxLight& light = lights_[i];
    const bool directional = light.type == D3DLIGHT_DIRECTIONAL;
    const float* v = view_;
    float p[3];
    for (int c = 0; c < 3; ++c) {
      p[c] = directional
                 ? -(light.direction[0] * v[c] + light.direction[1] * v[4 + c] + light.direction[2] * v[8 + c])
                 : light.position[0] * v[c] + light.position[1] * v[4 + c] + light.position[2] * v[8 + c] + v[12 + c];
    }
    // A way of no length stays zero: the light then adds nothing.
    const float length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
    for (int c = 0; c < 3; ++c) positions[count][c] = directional && length > 0.0f ? p[c] / length : p[c];
    positions[count][3] = directional ? 0.0f : 1.0f;
    diffuse[count][0] = light.diffuse.r, diffuse[count][1] = light.diffuse.g, diffuse[count][2] = light.diffuse.b;
    ambients[count][0] = light.ambient.r, ambients[count][1] = light.ambient.g, ambients[count][2] = light.ambient.b;
    attenuation[count][0] = light.attenuation0;
    attenuation[count][1] = light.attenuation1;
    attenuation[count][2] = light.attenuation2;
    attenuation[count][3] = light.range;
    ++count;
  }
  glUniform1i(at("u_lightCount"), count);
  glUniform4fv(at("u_lightPosition"), kLights, &positions[0][0]);
  glUniform3fv(at("u_lightDiffuse"), kLights, &diffuse[0][0]);
  glUniform3fv(at("u_lightAmbient"), kLights, &ambients[0][0]);
  glUniform4fv(at("u_lightAttenuation"), kLights, &attenuation[0][0]);

  const StageState& stage = stages_[0];
  glUniform1i(at("u_texture"), 0);
  glUniform1i(at("u_textured"), stageTexture_[0] != 0 && stage.colourOp != D3DTOP_DISABLE ? 1 : 0);
  glUniform3i(at("u_colourStage"), static_cast<GLint>(stage.colourOp), static_cast<GLint>(stage.colourArg1),
              static_cast<GLint>(stage.colourArg2));
  glUniform3i(at("u_alphaStage"), static_cast<GLint>(stage.alphaOp), static_cast<GLint>(stage.alphaArg1),
              static_cast<GLint>(stage.alphaArg2));

  const uint32_t table = states_[D3DRS_FOGTABLEMODE];
  const uint32_t mode = table != D3DFOG_NONE ? table : states_[D3DRS_FOGVERTEXMODE];
  glUniform1i(at("u_fogMode"), fog && mode <= D3DFOG_LINEAR ? static_cast<GLint>(mode) : 0);
  // Table fog under a projection that gives no eye depth in w measures the
  // depth buffer's value.
  glUniform1i(at("u_fogFromDepth"), table != D3DFOG_NONE && projection_[11] == 0.0f ? 1 : 0);
  float fogColour[3];
  ArgbToRgb(states_[D3DRS_FOGCOLOR], fogColour);
  glUniform3fv(at("u_fogColour"), 1, fogColour);
  glUniform3f(at("u_fogRange"), FloatOf(states_[D3DRS_FOGSTART]), FloatOf(states_[D3DRS_FOGEND]),
              FloatOf(states_[D3DRS_FOGDENSITY]));
}
