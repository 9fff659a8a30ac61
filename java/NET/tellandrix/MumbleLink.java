package NET.tellandrix;

import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.nio.file.FileAlreadyExistsException;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.StandardCopyOption;
import java.nio.file.attribute.FileAttribute;
import java.nio.file.attribute.PosixFileAttributeView;
import java.nio.file.attribute.PosixFileAttributes;
import java.nio.file.attribute.PosixFilePermission;
import java.nio.file.attribute.PosixFilePermissions;
import java.security.MessageDigest;
import java.security.NoSuchAlgorithmException;
import java.util.Arrays;
import java.util.Locale;
import java.util.Set;

/**
 * Positional audio for the Mumble voice client.
 *
 * <p>Call {@link #initMumble()} once, and again whenever the voice client may have been started
 * since; then call {@link #updateMumble} once per frame. Both do nothing, quietly, while the voice
 * client is not running. Call them from one thread at a time.
 *
 * <p>The native library {@code mumblezevrin} is loaded from {@code java.library.path} when it is
 * there. Otherwise the copy for this platform that the jar carries is unpacked into a folder of
 * this version under the temporary directory (or the home directory) and loaded from there.
 *
 * <p>The class runs on Java 8 and later.
 */
public final class MumbleLink {
    private static final String LIBRARY = "mumblezevrin";

    static {
        try {
            System.loadLibrary(LIBRARY);
        } catch (UnsatisfiedLinkError notOnLibraryPath) {
            loadBundledLibrary(notOnLibraryPath);
        }
    }

    private MumbleLink() {}

    /** Attaches to the voice client's link record, if the voice client has created it. */
    public static native void initMumble();

    /**
     * Publishes one frame. Positions are passed x, z, y with y vertical, in the game's own units.
     *
     * @param identity the user's identity within the context (at most 256 UTF-16 units are used)
     * @param azimuth facing in the horizontal plane, in radians, from +x towards +z
     * @param elevation pitch in radians; its cosine scales the horizontal facing
     * @param context groups users who hear each other; its first 8 UTF-16 units are used
     */
    public static native void updateMumble(String identity,
            float avatarX, float avatarZ, float avatarY,
            float cameraX, float cameraZ, float cameraY,
            float azimuth, float elevation, String context);

    /** The jar's folder name for this JVM's platform, such as "windows-x86", or null. */
    static String platform() {
        String os = System.getProperty("os.name", "").toLowerCase(Locale.ROOT);
        String arch = System.getProperty("os.arch", "").toLowerCase(Locale.ROOT);
        String system = os.startsWith("windows") ? "windows" : os.startsWith("linux") ? "linux" : null;
        String cpu = arch.matches("x86|i[3-6]86") ? "x86" : arch.matches("amd64|x86_64|x64") ? "x86_64" : null;
        return system == null || cpu == null ? null : system + "-" + cpu;
    }

    private static void loadBundledLibrary(UnsatisfiedLinkError notOnLibraryPath) {
        String platform = platform();
        String file = System.mapLibraryName(LIBRARY);
        String resource = "native/" + platform + "/" + file;
        byte[] library;
        try (InputStream in = platform == null ? null : MumbleLink.class.getResourceAsStream(resource)) {
            if (in == null) {
                throw failure("mumblezevrin has no native library for this platform ("
                        + System.getProperty("os.name") + ", " + System.getProperty("os.arch")
                        + "): it is not on java.library.path (" + System.getProperty("java.library.path")
                        + ") and the jar has none for it; it carries linux-x86_64, windows-x86 and windows-x86_64",
                        notOnLibraryPath);
            }
            library = readAll(in);
        } catch (IOException e) {
            throw failure("mumblezevrin: cannot read " + resource + " from the jar: " + e, e);
        }
        String version = MumbleLink.class.getPackage().getImplementationVersion();
        String folder = LIBRARY + "-" + (version == null ? "dev" : version) + "-" + platform
                + "-" + hex(sha256(library), 8);
        IOException lastProblem = null;
        for (String base : new String[] {System.getProperty("java.io.tmpdir"), System.getProperty("user.home")}) {
            if (base == null) continue;
            try {
                Path unpacked = unpack(library, Paths.get(base, folder), file);
                System.load(unpacked.toAbsolutePath().toString());
                return;
            } catch (IOException e) {
                lastProblem = e;
            }
        }
        throw failure("mumblezevrin: cannot unpack the native library for " + platform + ": " + lastProblem,
                lastProblem);
    }

    /**
     * Puts the library into {@code folder}, a folder of this user's alone, unless an identical copy
     * is there already, and returns its path.
     */
    private static Path unpack(byte[] library, Path folder, String file) throws IOException {
        boolean posix = Files.getFileStore(folder.getParent()).supportsFileAttributeView(PosixFileAttributeView.class);
        try {
            if (posix) {
                FileAttribute<Set<PosixFilePermission>> ownerOnly =
                        PosixFilePermissions.asFileAttribute(PosixFilePermissions.fromString("rwx------"));
                Files.createDirectory(folder, ownerOnly);
            } else {
                Files.createDirectory(folder);
            }
        } catch (FileAlreadyExistsException existing) {
            // A shared temporary directory: use the folder only if nobody else can have put files in it.
            if (posix) {
                PosixFileAttributes attributes = Files.readAttributes(folder, PosixFileAttributes.class,
                        LinkOption.NOFOLLOW_LINKS);
                if (!attributes.isDirectory() || !attributes.owner().getName().equals(System.getProperty("user.name"))
                        || attributes.permissions().contains(PosixFilePermission.GROUP_WRITE)
                        || attributes.permissions().contains(PosixFilePermission.OTHERS_WRITE)) {
                    throw new IOException(folder + " exists and is not this user's own folder");
                }
            }
        }
        Path target = folder.resolve(file);
        if (Files.isRegularFile(target) && Arrays.equals(sha256(Files.readAllBytes(target)), sha256(library))) {
            return target;
        }
        Path partial = Files.createTempFile(folder, file, ".part");
        try {
            Files.write(partial, library);
            Files.move(partial, target, StandardCopyOption.REPLACE_EXISTING, StandardCopyOption.ATOMIC_MOVE);
        } finally {
            Files.deleteIfExists(partial);
        }
        return target;
    }

    private static byte[] readAll(InputStream in) throws IOException {
        ByteArrayOutputStream out = new ByteArrayOutputStream();
        byte[] buffer = new byte[65536];
        for (int n; (n = in.read(buffer)) > 0; ) out.write(buffer, 0, n);
        return out.toByteArray();
    }

    private static String hex(byte[] bytes, int count) {
        StringBuilder hex = new StringBuilder();
        for (int i = 0; i < count; i++) hex.append(String.format("%02x", bytes[i] & 0xFF));
        return hex.toString();
    }

    private static byte[] sha256(byte[] bytes) {
        try {
            return MessageDigest.getInstance("SHA-256").digest(bytes);
        } catch (NoSuchAlgorithmException e) {
            throw new IllegalStateException(e);
        }
    }

    private static UnsatisfiedLinkError failure(String message, Throwable cause) {
        UnsatisfiedLinkError error = new UnsatisfiedLinkError(message);
        if (cause != null) error.initCause(cause);
        return error;
    }
}
