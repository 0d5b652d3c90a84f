-- UART transmitter: one start bit, DATA_BITS data bits (least significant
-- first) and one stop bit, each held for CLKS_PER_BIT clock cycles.
library ieee;
use ieee.std_logic_1164.all;
use ieee.numeric_std.all;

entity uart_tx is
  generic (
    CLKS_PER_BIT : integer := 104;  -- 9600 baud at 1 MHz
    DATA_BITS    : integer := 8
  );
  port (
    clk     : in  std_logic;
    rst     : in  std_logic;
    send    : in  std_logic;                                -- start a frame
    data_in : in  std_logic_vector(DATA_BITS-1 downto 0);
    tx      : out std_logic;                                -- serial output
    busy    : out std_logic;
    done    : out std_logic
  );
end entity uart_tx;

architecture rtl of uart_tx is
  type state_t is (IDLE, START_BIT, DATA, STOP_BIT);
  signal state    : state_t;
  signal baud     : unsigned(7 downto 0);                  -- cycles in this bit
  signal bit_idx  : unsigned(2 downto 0);
  signal shreg    : std_logic_vector(DATA_BITS-1 downto 0);
  signal tx_bit   : std_logic;
  constant LAST_CYCLE : integer := 103;
begin
  transmit : process (clk, rst)
  begin
    if rst = '1' then
      state   <= IDLE;
      baud    <= (others => '0');
      bit_idx <= (others => '0');
      tx_bit  <= '1';
      done    <= '0';
    elsif rising_edge(clk) then
      done <= '0';
      case state is
        when IDLE =>
          tx_bit <= '1';
          if send = '1' then
            shreg <= data_in;
            baud  <= (others => '0');
            state <= START_BIT;
          end if;
        when START_BIT =>
          tx_bit <= '0';
          if baud = LAST_CYCLE then
            baud  <= (others => '0');
            state <= DATA;
          else
            baud <= baud + 1;
          end if;
        when DATA =>
          tx_bit <= shreg(0);
          if baud = LAST_CYCLE then
            baud  <= (others => '0');
            shreg <= '0' & shreg(DATA_BITS-1 downto 1);
            if bit_idx = DATA_BITS - 1 then
              bit_idx <= (others => '0');
              state   <= STOP_BIT;
            else
              bit_idx <= bit_idx + 1;
            end if;
          else
            baud <= baud + 1;
          end if;
        when STOP_BIT =>
          tx_bit <= '1';
          if baud = LAST_CYCLE then
            done  <= '1';
            state <= IDLE;
          else
            baud <= baud + 1;
          end if;
      end case;
    end if;
  end process transmit;

  tx   <= tx_bit;
  busy <= '0' when state = IDLE else '1';
end architecture rtl;
